#include "tef/exchange_format.h"

#include <cctype>
#include <limits>

namespace quelfi::tef {

namespace {

constexpr std::size_t kFieldWidth = 3;
constexpr std::size_t kValueColumn = 10;

}  // namespace

std::string requestText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

std::vector<std::string> exchangeLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        from = next;
    }
    return lines;
}

bool isField(std::string_view line, std::string_view field) {
    if (line.size() < kFieldWidth || field.size() != kFieldWidth) return false;
    for (std::size_t i = 0; i < kFieldWidth; ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) !=
            std::tolower(static_cast<unsigned char>(field[i])))
            return false;
    return true;
}

std::string valueOf(std::string_view line) {
    return line.size() > kValueColumn ? std::string(line.substr(kValueColumn)) : std::string();
}

long long decimalValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 1;
    long long n = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (n < kLimit) n = n * 10 + (text[i] - '0');
    return negative ? -n : n;
}

std::string moneyText(std::string_view digits) {
    std::string kept;
    for (const char c : digits)
        if (std::isdigit(static_cast<unsigned char>(c))) kept += c;
    const std::size_t first = kept.find_first_not_of('0');
    kept = first == std::string::npos ? std::string() : kept.substr(first);
    while (kept.size() < 3) kept.insert(kept.begin(), '0');
    const std::string whole = kept.substr(0, kept.size() - 2);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += '.';
        grouped += whole[i];
    }
    return grouped + "," + kept.substr(kept.size() - 2);
}

}  // namespace quelfi::tef
