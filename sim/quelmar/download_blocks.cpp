#include "sim/quelmar/download_blocks.h"

#include <vector>

namespace quelfi::sim::download {
namespace {

constexpr unsigned char kEscape = 0xFE;
constexpr std::size_t kShortRunMax = 254;  // FE c v with c up to 253
constexpr std::size_t kLongRunMax = 65536;

std::string le16(std::size_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

// One run as the printer writes it; `longForm` forces the five-byte escape.
std::string runToken(char value, std::size_t run, bool longForm = false) {
    const char escape = static_cast<char>(kEscape);
    if (longForm || run > kShortRunMax) return std::string{escape, '\0'} + le16(run - 1) + value;
    if (run == 1 && static_cast<unsigned char>(value) != kEscape) return std::string(1, value);
    if (run == 1) return {escape, escape};
    return {escape, static_cast<char>(run - 1), value};
}

}  // namespace

std::uint16_t crc(const std::string& bytes) {
    std::uint16_t value = 0;
    for (const char c : bytes) {
        value ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? static_cast<std::uint16_t>((value >> 1) ^ 0x8408)
                                : static_cast<std::uint16_t>(value >> 1);
    }
    return value;
}

std::string encode(const std::string& stream) {
    struct Token {
        char value;
        std::size_t run;
        std::string bytes;
    };
    std::vector<Token> tokens;
    std::size_t total = 0;
    for (std::size_t i = 0; i < stream.size();) {
        std::size_t run = 1;
        while (i + run < stream.size() && stream[i + run] == stream[i] && run < kLongRunMax) ++run;
        // Two plain bytes are shorter as they are.
        if (run == 2 && static_cast<unsigned char>(stream[i]) != kEscape) run = 1;
        tokens.push_back({stream[i], run, runToken(stream[i], run)});
        total += tokens.back().bytes.size();
        i += run;
    }
    // A length of whole blocks would leave no short block to end on: the last run that can grow
    // is written in the five-byte form instead.
    if (total % kDataPerBlock == 0) {
        for (auto it = tokens.rbegin(); it != tokens.rend(); ++it) {
            if (it->bytes.size() == 5) continue;
            it->bytes = runToken(it->value, it->run, true);
            break;
        }
    }
    std::string out;
    for (const Token& token : tokens) out += token.bytes;
    return out;
}

std::string block(std::uint8_t sequence, const std::string& data) {
    std::string out{kBlockStart, static_cast<char>(sequence)};
    out += le16(data.size());
    out += data;
    return out + le16(crc(out));
}

std::vector<std::string> blocks(const std::string& header, const std::string& encoded) {
    std::string head = header.substr(0, kDataPerBlock);
    head.resize(kDataPerBlock, ' ');
    std::vector<std::string> out{block(0, head)};
    for (std::size_t at = 0; at < encoded.size(); at += kDataPerBlock)
        out.push_back(
            block(static_cast<std::uint8_t>(out.size()), encoded.substr(at, kDataPerBlock)));
    return out;
}

}  // namespace quelfi::sim::download
