// The configuration file as outside data: any text read as a profile file, and edited.
//
// Holds, for any text: a look-up never fails. For a section, key and value that a profile line can
// carry (no line break; a key without '=' that does not start a comment or a section): after a
// write the look-up finds the value as the profile semantics give it (blanks around it and one
// pair of enclosing quotes removed), writing it again changes nothing, and every other key
// keeps its value.
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_file.h"
#include "support/fuzz_input.h"

namespace {

using quelfi::fuzz::check;
using quelfi::platform::findProfileValue;
using quelfi::platform::setProfileValue;

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trimmed(a);
    b = trimmed(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool oneLine(std::string_view s) {
    return s.find_first_of("\r\n") == std::string_view::npos;
}

bool writableSection(std::string_view section) {
    return oneLine(section) && section.find(']') == std::string_view::npos;
}

bool writableKey(std::string_view key) {
    const std::string_view t = trimmed(key);
    return oneLine(key) && !t.empty() && t.front() != ';' && t.front() != '[' &&
           key.find('=') == std::string_view::npos;
}

// What a read gives back for a written value.
std::string readBack(std::string_view value) {
    std::string_view v = trimmed(value);
    if (v.size() >= 2 &&
        ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// The section and key of every "key=value" line of the text, in order.
std::vector<std::pair<std::string, std::string>> namesIn(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    std::size_t from = 0;
    while (from < text.size() && names.size() < 64) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = trimmed(std::string_view(text).substr(from, end - from));
        if (!line.empty() && line.front() == '[' && line.find(']') != std::string_view::npos) {
            section = std::string(line.substr(1, line.find(']') - 1));
        } else if (!line.empty() && line.front() != ';' &&
                   line.find('=') != std::string_view::npos) {
            names.emplace_back(section, std::string(line.substr(0, line.find('='))));
        }
        from = end + 1;
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quelfi::fuzz::FuzzInput in(data, size);
    const std::string section = in.text(24);
    const std::string key = in.text(24);
    const std::string value = in.text(48);
    const std::string text = in.rest();

    (void)findProfileValue(text, section, key);
    const std::string written = setProfileValue(text, section, key, value);
    if (!writableSection(section) || !writableKey(key) || !oneLine(value)) return 0;

    const auto found = findProfileValue(written, section, key);
    check(found.has_value(), "written key not found");
    check(*found == readBack(value), "written value read back as", *found);
    check(setProfileValue(written, section, key, value) == written,
          "second write changed the file");
    for (const auto& [otherSection, otherKey] : namesIn(text)) {
        if (sameName(otherSection, section) && sameName(otherKey, key)) continue;
        check(findProfileValue(written, otherSection, otherKey) ==
                  findProfileValue(text, otherSection, otherKey),
              "another key changed:", otherSection + "/" + otherKey);
    }
    return 0;
}
