#include "fiscal/argument_format.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace quelfi::fiscal {

std::string keepDigits(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

std::string zeroFill(std::string_view digits, std::size_t width) {
    return padText(digits, width, "0", 'E');
}

std::string blankFill(std::string_view text, std::size_t width) {
    return padText(text, width, " ", 'D');
}

std::string padText(std::string_view text, std::size_t width, std::string_view fill, char side) {
    std::string padding;
    for (std::size_t n = text.size(); n < width; ++n) padding += fill;
    if (side == 'E' || side == 'e') return padding + std::string(text);
    return std::string(text) + padding;
}

std::optional<std::string> itemPercentage(std::string_view digits) {
    if (digits.size() > 4) return std::nullopt;
    std::string value(digits);
    value.resize(4, '0');
    return value;
}

std::string taxRateValue(std::string_view digits) {
    // Zeros are appended one at a time while fewer have been appended than 4 minus the new length.
    std::string value(digits);
    int appended = 0;
    do {
        if (value.size() >= 4) break;
        value += '0';
        ++appended;
    } while (appended < 4 - static_cast<int>(value.size()));
    return value;
}

std::optional<std::string> numericAmount14(std::string_view digits) {
    if (digits.size() > 14) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    char text[24];
    std::snprintf(text, sizeof text, "%014u", static_cast<unsigned>(value));
    return std::string(text);
}

bool isValidDate(std::string_view date) {
    if (date.size() < 8) return false;
    auto number = [&](std::size_t from, std::size_t count) {
        int n = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(date[i]))) return -1;
            n = n * 10 + (date[i] - '0');
        }
        return n;
    };
    const int day = number(0, 2), month = number(2, 2), year = number(4, 4);
    if (day < 0 || month < 1 || month > 12 || year < 0) return false;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int last = kDays[month - 1];
    if (month == 2) last = year % 4 == 0 ? 29 : 28;
    return day <= last;
}

std::optional<std::string> shortDate(std::string_view digits) {
    if (digits.size() == 6) return std::string(digits);
    if (digits.size() == 8) return std::string(digits.substr(0, 4)) + std::string(digits.substr(6));
    return std::nullopt;
}

bool isValidShortDate(std::string_view date) {
    if (date.size() != 6) return false;
    return isValidDate(std::string(date.substr(0, 4)) + "00" + std::string(date.substr(4)));
}

void blankPercentSigns(std::string& text, std::size_t count) {
    for (std::size_t i = 0; i < text.size() && i < count; ++i)
        if (text[i] == '%') text[i] = ' ';
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace quelfi::fiscal
