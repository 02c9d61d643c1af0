#include "protocol/code_page.h"

#include <array>

namespace quelfi::protocol {
namespace {

constexpr std::array<std::pair<unsigned char, unsigned char>, 45> kLetters = {{
    {0x80, 0xC7}, {0x81, 0xFC}, {0x82, 0xE9}, {0x83, 0xE2}, {0x84, 0xE4}, {0x85, 0xE0},
    {0x87, 0xE7}, {0x88, 0xEA}, {0x89, 0xEB}, {0x8A, 0xE8}, {0x8B, 0xEF}, {0x8D, 0xEC},
    {0x8E, 0xC4}, {0x90, 0xC9}, {0x93, 0xF4}, {0x94, 0xF6}, {0x95, 0xF2}, {0x96, 0xFB},
    {0x97, 0xF9}, {0x98, 0xFF}, {0x9A, 0xDC}, {0xA0, 0xE1}, {0xA1, 0xED}, {0xA2, 0xF3},
    {0xA3, 0xFA}, {0xA4, 0xF1}, {0xA5, 0xD1}, {0xB5, 0xC1}, {0xB6, 0xC2}, {0xB7, 0xC0},
    {0xC6, 0xE3}, {0xC7, 0xC3}, {0xD2, 0xCA}, {0xD4, 0xC8}, {0xD6, 0xCD}, {0xD8, 0xCF},
    {0xDE, 0xCC}, {0xE0, 0xD3}, {0xE2, 0xD4}, {0xE3, 0xD2}, {0xE4, 0xF5}, {0xE5, 0xD5},
    {0xE9, 0xDA}, {0xEA, 0xDB}, {0xEB, 0xD9},
}};

constexpr std::array<unsigned char, 256> buildTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    for (const auto& [from, to] : kLetters) table[from] = to;
    return table;
}

constexpr std::array<unsigned char, 256> buildInverse() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    for (const auto& [to, from] : kLetters) table[from] = to;
    return table;
}

constexpr std::array<unsigned char, 256> kTable = buildTable();
constexpr std::array<unsigned char, 256> kInverse = buildInverse();

}  // namespace

char fromPrinterCodePage(char byte) {
    return static_cast<char>(kTable[static_cast<unsigned char>(byte)]);
}

void fromPrinterCodePage(std::string& text) {
    for (char& c : text) c = fromPrinterCodePage(c);
}

void toPrinterCodePage(std::string& text) {
    for (char& c : text) c = static_cast<char>(kInverse[static_cast<unsigned char>(c)]);
}

std::string inPrinterCodePage(std::string_view text) {
    std::string out(text);
    toPrinterCodePage(out);
    return out;
}

}  // namespace quelfi::protocol
