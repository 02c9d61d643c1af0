#include "sim/quelmar/barcode_layout.h"

#include <algorithm>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim/quelmar/styled_text.h"

namespace quelfi::sim::layout {

namespace {

constexpr std::size_t kInside = kColumns - 4;  // "| " and " |"
constexpr int kDotsPerColumn = 576 / static_cast<int>(kColumns);
constexpr int kDotsPerRow = 24;
constexpr std::string_view kBar = "\xE2\x96\x88";  // a full block

// Columns a UTF-8 text takes: its characters.
std::size_t columnsOf(std::string_view utf8) {
    return static_cast<std::size_t>(std::ranges::count_if(
        utf8, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string framed(const std::string& utf8, std::size_t indent = 0) {
    const std::size_t used = std::min(kInside, indent + columnsOf(utf8));
    return "| " + std::string(indent, ' ') + utf8 + std::string(kInside - used, ' ') + " |";
}

std::string border() {
    return "+" + std::string(kColumns - 2, '-') + "+";
}

// The data as lines of the frame's width, centred.
std::vector<std::string> humanLines(const std::string& printed) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < printed.size(); at += kInside) {
        const std::string part = printerToUtf8(printed.substr(at, kInside));
        lines.push_back(framed(part, (kInside - columnsOf(part)) / 2));
    }
    return lines;
}

// One row of bars: a guard, then each character's seven modules, then a guard; a module is as
// many columns as the width code gives beyond the first.
std::string barRow(const mechanism::Barcode& b, std::size_t margin) {
    std::string modules = "101";
    for (char c : b.data + b.checkDigit)
        for (int bit = 6; bit >= 0; --bit) modules += ((c >> bit) & 1) ? '1' : '0';
    modules += "101";
    const std::size_t each = static_cast<std::size_t>(std::max(1, b.look.width - 1));
    const std::size_t fits = (kInside - margin) / each;
    std::string row;
    for (std::size_t i = 0; i < std::min(fits, modules.size()); ++i)
        for (std::size_t k = 0; k < each; ++k) row += modules[i] == '1' ? kBar : " ";
    return framed(row, margin);
}

}  // namespace

std::vector<std::string> barcodeBlock(const mechanism::Barcode& b) {
    std::vector<std::string> lines = {border()};
    lines.push_back(
        framed("C\xC3\x93"
               "DIGO DE BARRAS " +
               b.symbology));
    if (!b.shape.empty()) lines.push_back(framed(b.shape));
    std::string data = "DADOS " + printerToUtf8(b.data);
    if (!b.checkDigit.empty()) data += " D\xC3\x8DGITO " + b.checkDigit;
    for (std::size_t at = 0; at < data.size();) {
        // Cut at a character's start, so no letter is split across lines.
        std::size_t end = std::min(data.size(), at + kInside);
        while (end < data.size() && (static_cast<unsigned char>(data[end]) & 0xC0) == 0x80) --end;
        lines.push_back(framed(data.substr(at, end - at)));
        at = end;
    }
    const std::string printed = b.data + b.checkDigit;
    const bool above = b.look.position == 1 || b.look.position == 3;
    const bool below = b.look.position == 2 || b.look.position == 3;
    if (above)
        for (auto& line : humanLines(printed)) lines.push_back(std::move(line));
    const std::size_t margin =
        std::min(kInside - 1, static_cast<std::size_t>(b.look.margin / kDotsPerColumn));
    const int rows = std::max(1, (b.look.height + kDotsPerRow - 1) / kDotsPerRow);
    for (int r = 0; r < rows; ++r) lines.push_back(barRow(b, margin));
    if (below)
        for (auto& line : humanLines(printed)) lines.push_back(std::move(line));
    lines.push_back(border());
    return lines;
}

std::vector<std::string> mechanismLines(const mechanism::Reading& reading) {
    std::vector<std::string> lines;
    for (const mechanism::Piece& piece : reading.pieces) {
        const std::vector<std::string> part =
            piece.barcode ? barcodeBlock(*piece.barcode) : styledLines(piece.text);
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

}  // namespace quelfi::sim::layout
