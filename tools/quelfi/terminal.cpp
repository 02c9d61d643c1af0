#include "quelfi/terminal.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "quelfi/text_encoding.h"

namespace quelfi::tool {

Styler Styler::forStandardOutput() {
    const char* noColour = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    const bool dumb = term != nullptr && std::strcmp(term, "dumb") == 0;
    const bool interactive = ::isatty(STDOUT_FILENO) == 1 && !dumb;
    return Styler(interactive && (noColour == nullptr || *noColour == '\0'), interactive);
}

std::string Styler::paint(Colour colour, std::string_view text) const {
    if (!colour_ || text.empty()) return std::string(text);
    const char* code = "";
    switch (colour) {
        case Colour::Green:
            code = "\x1B[32m";
            break;
        case Colour::Red:
            code = "\x1B[1;31m";
            break;
        case Colour::Yellow:
            code = "\x1B[33m";
            break;
        case Colour::Dim:
            code = "\x1B[2m";
            break;
        case Colour::Bold:
            code = "\x1B[1m";
            break;
    }
    return code + std::string(text) + "\x1B[0m";
}

std::string padRight(std::string_view text, std::size_t width) {
    const std::size_t shown = displayWidth(text);
    return std::string(text) + std::string(width > shown ? width - shown : 0, ' ');
}

std::string padLeft(std::string_view text, std::size_t width) {
    const std::size_t shown = displayWidth(text);
    return std::string(width > shown ? width - shown : 0, ' ') + std::string(text);
}

std::vector<std::string> alignColumns(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c + 1 < row.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
    std::vector<std::string> lines;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? padRight(row[c], widths[c]) + "  " : row[c];
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> framed(const std::vector<std::string>& lines) {
    std::size_t width = 0;
    for (const auto& line : lines) width = std::max(width, displayWidth(line));
    std::string rule;
    for (std::size_t i = 0; i < width + 2; ++i) rule += "\u2500";
    std::vector<std::string> out{"\u250C" + rule + "\u2510"};
    for (const auto& line : lines) out.push_back("\u2502 " + padRight(line, width) + " \u2502");
    out.push_back("\u2514" + rule + "\u2518");
    return out;
}

std::string moneyText(std::string_view digits) {
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(digits);
    std::string whole(digits.substr(0, digits.size() - std::min<std::size_t>(2, digits.size())));
    std::string cents(digits.substr(whole.size()));
    while (cents.size() < 2) cents.insert(cents.begin(), '0');
    const std::size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += '.';
        grouped += whole[i];
    }
    return "R$ " + grouped + "," + cents;
}

}  // namespace quelfi::tool
