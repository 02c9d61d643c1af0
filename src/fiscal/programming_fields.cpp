#include "fiscal/programming_fields.h"

#include <cstdint>

namespace quelfi::fiscal {
namespace {

constexpr std::size_t kRateDigits = 4;
constexpr std::size_t kCharacterColumns = 18;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading decimal number of a field (blanks and a sign before it allowed), kept to its low
// byte; a field without one is 0.
char lowByte(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    const bool negative = i < field.size() && field[i] == '-';
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
    std::uint32_t value = 0;
    for (; i < field.size() && isDigit(field[i]); ++i)
        value = value * 10 + static_cast<std::uint32_t>(field[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<char>(value & 0xFF);
}

}  // namespace

std::string programmedRate(std::string_view digits) {
    std::string rate(digits);
    if (rate.size() == 1) rate = "0" + rate;
    if (rate.size() < kRateDigits) rate.resize(kRateDigits, '0');
    return rate;
}

std::optional<std::string> authenticationCharacter(std::string_view text) {
    std::size_t commas = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ',') continue;
        if (++commas > kCharacterColumns - 1 || i + 1 >= text.size() || !isDigit(text[i + 1]))
            return std::nullopt;
    }
    if (commas != kCharacterColumns - 1) return std::nullopt;
    std::string bytes;
    while (bytes.size() < kCharacterColumns) {
        const std::size_t end = text.find(',');
        bytes += lowByte(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return bytes;
}

}  // namespace quelfi::fiscal
