// What the three declaration writers share: line ends and identifiers clear of keywords.
#include <cctype>
#include <sstream>

#include "surface/declarations.h"

namespace quelfi::surface {

std::string windowsLines(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string identifier(const std::string& name, std::string_view keywords, bool anyCase,
                       const std::string& prefix, const std::string& suffix) {
    const auto same = [&](const std::string& keyword) {
        if (keyword.size() != name.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            const auto a = static_cast<unsigned char>(keyword[i]);
            const auto b = static_cast<unsigned char>(name[i]);
            if (anyCase ? std::tolower(a) != std::tolower(b) : a != b) return false;
        }
        return true;
    };
    std::istringstream words{std::string(keywords)};
    for (std::string keyword; words >> keyword;)
        if (same(keyword)) return prefix + name + suffix;
    return name;
}

}  // namespace quelfi::surface
