#include "sim/quelmar/receipt_layout.h"

#include <algorithm>
#include <cstdio>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/setting_values.h"

namespace quelfi::sim::layout {
namespace {

// Width in characters of a UTF-8 text (continuation bytes do not count).
std::size_t width(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string trimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string digits(int value, int count) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", count, value % 1000000);
    return buffer;
}

}  // namespace

std::string money(Money value) {
    const bool negative = value < 0;
    std::string whole = std::to_string((negative ? -value : value) / 100);
    const int cents = static_cast<int>((negative ? -value : value) % 100);
    for (std::size_t i = whole.size(); i > 3; i -= 3) whole.insert(i - 3, ".");
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ",%02d", cents);
    return (negative ? "-" : "") + whole + fraction;
}

std::string centred(std::string_view text) {
    const std::size_t w = width(text);
    if (w >= kColumns) return std::string(text);
    return std::string((kColumns - w) / 2, ' ') + std::string(text);
}

std::string spread(std::string_view left, std::string_view right) {
    const std::size_t used = width(left) + width(right);
    const std::size_t gap = used < kColumns ? kColumns - used : 1;
    return std::string(left) + std::string(gap, ' ') + std::string(right);
}

std::string rule() {
    return std::string(kColumns, '-');
}

std::vector<std::string> heading(const FiscalModel& model, int coo, std::string_view title) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < model.cliche.size(); at += kColumns) {
        std::string line = trimRight(model.cliche.substr(at, kColumns));
        if (!line.empty()) lines.push_back(centred(printerToUtf8(line)));
    }
    lines.push_back("CNPJ: " + printerToUtf8(model.cnpj));
    lines.push_back("IE: " + printerToUtf8(model.stateRegistration));
    lines.push_back(rule());
    lines.push_back(spread(setting::formatDateTime(model.clock.now()), "COO:" + digits(coo, 6)));
    lines.push_back(centred(title));
    return lines;
}

std::vector<std::string> foot(const FiscalModel& model) {
    std::vector<std::string> lines = {
        rule(), spread("QUELMAR ECF", "FAB: " + printerToUtf8(model.serialNumber)),
        spread("VERSAO " + setting::formatFirmware(model.firmware),
               "LJ:" + digits(model.storeNumber, 4) + " CX:" + digits(model.registerNumber, 4))};
    // The paper fed after the document, so that it can be torn off clear of the next.
    lines.resize(lines.size() + static_cast<std::size_t>(std::max(0, model.linesAfterDocument)));
    return lines;
}

}  // namespace quelfi::sim::layout
