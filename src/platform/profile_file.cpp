#include "platform/profile_file.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace quelfi::platform {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// One line of the file, with its end kept so a rewrite reproduces the file byte for byte.
struct Line {
    std::string_view body;
    std::string_view end;
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::size_t stop = nl == std::string_view::npos ? text.size() : nl;
        std::size_t bodyEnd = stop;
        // Only CR LF ends a line with a CR: a CR at the very end of the file is part of the last
        // line, so a line added after it starts on a line of its own.
        if (nl != std::string_view::npos && bodyEnd > pos && text[bodyEnd - 1] == '\r') --bodyEnd;
        std::size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        lines.push_back({text.substr(pos, bodyEnd - pos), text.substr(bodyEnd, next - bodyEnd)});
        pos = next;
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view body) {
    std::string_view t = trim(body);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

// Splits a "key=value" line; comments and lines without '=' have no key.
std::optional<std::pair<std::string_view, std::string_view>> keyValue(std::string_view body) {
    std::string_view t = trim(body);
    if (t.empty() || t.front() == ';') return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return std::make_pair(trim(t.substr(0, eq)), trim(t.substr(eq + 1)));
}

std::string unquote(std::string_view v) {
    if (v.size() >= 2 &&
        ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

}  // namespace

std::optional<std::string> findProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key) {
    bool inSection = false;
    for (const Line& line : splitLines(text)) {
        if (auto name = sectionName(line.body)) {
            inSection = sameName(*name, trim(section));
            continue;
        }
        if (!inSection) continue;
        auto kv = keyValue(line.body);
        if (kv && sameName(kv->first, trim(key))) return unquote(kv->second);
    }
    return std::nullopt;
}

std::string setProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value) {
    const std::vector<Line> lines = splitLines(text);
    std::string_view eol = "\r\n";
    if (!lines.empty() && lines.front().end == "\n") eol = "\n";
    const std::string newLine = key + "=" + value;

    std::string out;
    bool inSection = false;
    bool done = false;
    std::optional<std::size_t> lastInSection;  // output offset after the section's last line
    for (const Line& line : lines) {
        if (auto name = sectionName(line.body)) {
            if (inSection && !done && lastInSection) {
                out.insert(*lastInSection, newLine + std::string(eol));
                done = true;
            }
            inSection = sameName(*name, trim(section));
            out.append(line.body).append(line.end);
            if (inSection) {
                if (line.end.empty()) out.append(eol);
                lastInSection = out.size();
            }
            continue;
        }
        if (inSection && !done) {
            auto kv = keyValue(line.body);
            if (kv && sameName(kv->first, trim(key))) {
                out.append(newLine).append(line.end);
                done = true;
                continue;
            }
        }
        out.append(line.body).append(line.end);
        if (inSection && !trim(line.body).empty()) {
            if (line.end.empty()) out.append(eol);
            lastInSection = out.size();
        }
    }
    if (done) return out;
    if (inSection && lastInSection) {
        out.insert(*lastInSection, newLine + std::string(eol));
        return out;
    }
    if (!out.empty() && out.back() != '\n') out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(newLine).append(eol);
    return out;
}

}  // namespace quelfi::platform
