#include "adapters/yanco/yanco_text.h"

#include <array>

namespace quelfi::yanco {

namespace {

struct Plain {
    unsigned char first, last;
    char letter;
};

// Windows-1252 ranges and the plain letter each stands for.
constexpr Plain kPlainLetters[] = {
    {170, 170, 'a'}, {186, 186, 'o'}, {192, 196, 'A'}, {199, 199, 'C'}, {200, 202, 'E'},
    {204, 205, 'I'}, {207, 207, 'I'}, {209, 209, 'N'}, {210, 213, 'O'}, {217, 220, 'U'},
    {224, 228, 'a'}, {231, 231, 'c'}, {232, 235, 'e'}, {236, 237, 'i'}, {239, 239, 'i'},
    {241, 241, 'n'}, {242, 246, 'o'}, {249, 252, 'u'}, {255, 255, 'y'},
};

constexpr std::array<char, 256> plainTable() {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<char>(c);
    for (const Plain& p : kPlainLetters)
        for (int c = p.first; c <= p.last; ++c) table[static_cast<std::size_t>(c)] = p.letter;
    return table;
}

constexpr std::array<char, 256> kPlain = plainTable();

}  // namespace

void stripAccents(std::string& text, bool keepLineBreaks) {
    for (char& c : text) {
        c = kPlain[static_cast<unsigned char>(c)];
        if (!keepLineBreaks && (c == '\r' || c == '\n')) c = ' ';
    }
}

}  // namespace quelfi::yanco
