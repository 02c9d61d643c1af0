#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim::wire {

std::string bcd(std::int64_t value, std::size_t bytes) {
    std::uint64_t v = value < 0 ? 0 : static_cast<std::uint64_t>(value);
    std::string out(bytes, '\0');
    for (std::size_t i = bytes; i-- > 0;) {
        const unsigned low = static_cast<unsigned>(v % 10);
        v /= 10;
        const unsigned high = static_cast<unsigned>(v % 10);
        v /= 10;
        out[i] = static_cast<char>(high << 4 | low);
    }
    return out;
}

std::string bcdDigits(std::string_view digits) {
    std::string out;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        const unsigned high = static_cast<unsigned>(digits[i] - '0') & 0x0F;
        const unsigned low = static_cast<unsigned>(digits[i + 1] - '0') & 0x0F;
        out += static_cast<char>(high << 4 | low);
    }
    return out;
}

std::string bcdDate(const CivilDate& date) {
    return bcd(date.day, 1) + bcd(date.month, 1) + bcd(date.year % 100, 1);
}

std::string bcdDateTime(const DateTime& moment) {
    return bcdDate(moment.date) + bcd(moment.hour, 1) + bcd(moment.minute, 1) +
           bcd(moment.second, 1);
}

std::string text(std::string_view value, std::size_t width) {
    std::string out(value.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string word(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

}  // namespace quelfi::sim::wire
