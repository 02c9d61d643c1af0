#include "support/wire_bytes.h"

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

std::vector<std::string> commandsOf(std::string_view wire) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at + 3 <= wire.size();) {
        const std::size_t total = static_cast<std::uint8_t>(wire[at + 1]) +
                                  256u * static_cast<std::uint8_t>(wire[at + 2]);
        if (total < 2 || at + 3 + total > wire.size()) break;
        out.emplace_back(wire.substr(at + 3, total - 2));
        at += 3 + total;
    }
    return out;
}

std::string concat(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& part : parts) out += part;
    return out;
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

std::string bcd(std::string_view digits) {
    std::string out;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out += static_cast<char>(((digits[i] - '0') << 4) | (digits[i + 1] - '0'));
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

std::string dataReply(const std::string& data) {
    return "\x06" + data + std::string(2, '\0');
}

std::string rawRequest(std::initializer_list<std::string> fields) {
    std::string out;
    for (const std::string& field : fields) out += field + '\x17';
    if (!out.empty()) out.pop_back();
    return out;
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
    return out;
}

std::vector<std::string> cut(const std::string& text, std::initializer_list<std::size_t> widths) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t w : widths) out.push_back(text.substr(at, w)), at += w;
    return out;
}

std::string padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
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

}  // namespace quelfi::test
