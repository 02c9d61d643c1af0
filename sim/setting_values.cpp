#include "sim/setting_values.h"

#include <charconv>
#include <cstdio>

namespace quelfi::sim::setting {
namespace {

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

std::optional<int> number(std::string_view text, std::size_t digits) {
    if (text.size() != digits || !allDigits(text)) return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::optional<std::int64_t> parseInteger(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (!allDigits(text) || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return negative ? -value : value;
}

std::optional<std::int64_t> parseDecimal(std::string_view text, int decimals) {
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (point != std::string_view::npos && fraction.empty()) return std::nullopt;
    if (!allDigits(whole) || (!fraction.empty() && !allDigits(fraction))) return std::nullopt;
    if (fraction.size() > static_cast<std::size_t>(decimals) || whole.size() > 16)
        return std::nullopt;
    std::string digits(whole);
    digits += fraction;
    digits.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return parseInteger(digits);
}

std::string formatDecimal(std::int64_t value, int decimals) {
    const auto places = static_cast<std::size_t>(decimals);
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() <= places) digits = std::string(places + 1 - digits.size(), '0') + digits;
    const std::size_t split = digits.size() - places;
    std::string out = value < 0 ? "-" : "";
    out += digits.substr(0, split);
    if (places > 0) out += "." + digits.substr(split);
    return out;
}

std::optional<bool> parseFlag(std::string_view text) {
    if (text == "1") return true;
    if (text == "0") return false;
    return std::nullopt;
}

std::optional<CivilDate> parseDate(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
    auto day = number(text.substr(0, 2), 2);
    auto month = number(text.substr(3, 2), 2);
    auto year = number(text.substr(6, 4), 4);
    if (!day || !month || !year) return std::nullopt;
    CivilDate date{*year, *month, *day};
    if (!isValid(date)) return std::nullopt;
    return date;
}

std::optional<DateTime> parseDateTime(std::string_view text) {
    if (text.size() != 19 || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    auto date = parseDate(text.substr(0, 10));
    auto hour = number(text.substr(11, 2), 2);
    auto minute = number(text.substr(14, 2), 2);
    auto second = number(text.substr(17, 2), 2);
    if (!date || !hour || !minute || !second) return std::nullopt;
    DateTime moment{*date, *hour, *minute, *second};
    if (!isValid(moment)) return std::nullopt;
    return moment;
}

std::string formatDate(const CivilDate& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.day, date.month, date.year);
    return buffer;
}

std::string formatDateTime(const DateTime& moment) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", moment.hour, moment.minute,
                  moment.second);
    return formatDate(moment.date) + buffer;
}

std::optional<std::string> unescapeText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return out;
}

std::string escapeText(std::string_view text, bool listEntry) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool edgeBlank = byte == ' ' && (i == 0 || i + 1 == text.size());
        const bool separator = byte == ';' || (listEntry && (byte == ',' || byte == '/'));
        if (byte >= 0x80 ||
            (byte >= 0x20 && byte != 0x7F && byte != '%' && !separator && !edgeBlank)) {
            out += static_cast<char>(byte);
            continue;
        }
        out += '%';
        out += kHex[byte >> 4];
        out += kHex[byte & 0x0F];
    }
    return out;
}

std::vector<std::string_view> splitList(std::string_view text) {
    std::vector<std::string_view> out;
    if (text.empty()) return out;
    for (;;) {
        const std::size_t comma = text.find(',');
        out.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return out;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace quelfi::sim::setting
