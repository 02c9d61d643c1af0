#include "support/sim_bytes.h"

#include <cstdint>

namespace quelfi::test {

std::string frameOf(std::string_view command) {
    const std::size_t length = command.size() + 2;
    unsigned sum = 0;
    for (char c : command) sum += static_cast<std::uint8_t>(c);
    std::string out{'\x02', static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)};
    out += command;
    out += static_cast<char>(sum & 0xFF);
    out += static_cast<char>(sum >> 8 & 0xFF);
    return out;
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

std::string hex(std::string_view data) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : data) {
        const auto b = static_cast<std::uint8_t>(c);
        if (!out.empty()) out += ' ';
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
    }
    return out;
}

std::string bcdDigits(std::string_view data) {
    std::string out;
    for (char c : data) {
        const auto b = static_cast<std::uint8_t>(c);
        out += static_cast<char>('0' + (b >> 4));
        out += static_cast<char>('0' + (b & 0x0F));
    }
    return out;
}

}  // namespace quelfi::test
