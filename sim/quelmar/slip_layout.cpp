#include "sim/quelmar/slip_layout.h"

#include <cstdio>

#include "sim/quelmar/amount_words.h"
#include "sim/quelmar/code_page.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim/quelmar/setting_values.h"

namespace quelfi::sim::layout {
namespace {

constexpr const char* kMonths[] = {"JANEIRO",  "FEVEREIRO", "MAR\xC3\x87O", "ABRIL",
                                   "MAIO",     "JUNHO",     "JULHO",        "AGOSTO",
                                   "SETEMBRO", "OUTUBRO",   "NOVEMBRO",     "DEZEMBRO"};

// Printer text as UTF-8, control bytes made blanks and blanks at either end dropped.
std::string printable(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    out = out.substr(first, out.find_last_not_of(' ') - first + 1);
    return printerToUtf8(out);
}

std::size_t width(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string rightAligned(const std::string& text) {
    const std::size_t w = width(text);
    return w >= kColumns ? text : std::string(kColumns - w, ' ') + text;
}

// UTF-8 words cut into lines of the paper's width (a word longer than a line stands alone).
std::vector<std::string> wordLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string word(text.substr(0, blank));
        text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
        if (word.empty()) continue;
        if (!line.empty() && width(line) + 1 + width(word) > kColumns) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string twoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value % 100);
    return buffer;
}

}  // namespace

std::vector<std::string> chequeSlip(const FiscalModel& model, const Cheque& cheque) {
    std::vector<std::string> lines = {
        rule(), centred("CHEQUE"),
        rightAligned(printable(model.currencySymbol) + " " + money(cheque.amount))};
    for (auto& line : wordLines(amountInWords(cheque.amount, printerToUtf8(model.currencySingular),
                                              printerToUtf8(model.currencyPlural))))
        lines.push_back(std::move(line));
    for (auto& line : wordLines("PAGUE A: " + printable(cheque.payee))) lines.push_back(line);
    const CivilDate& d = cheque.date;
    lines.push_back(rightAligned(upperCase(printable(cheque.city)) + ", " + twoDigits(d.day) +
                                 " DE " + kMonths[d.month - 1] + " DE " + std::to_string(d.year)));
    for (auto& line : wordLines(printable(cheque.message))) lines.push_back(line);
    lines.push_back(rule());
    return lines;
}

std::vector<std::string> authenticationSlip(const FiscalModel& model, int line,
                                            std::string_view text) {
    std::vector<std::string> lines(static_cast<std::size_t>(line > 1 ? line - 1 : 0));
    for (int row = 0; row < 8 && !model.authenticationCharacter.empty(); ++row) {
        std::string line;
        for (char column : model.authenticationCharacter)
            line += (static_cast<unsigned char>(column) >> row & 1) ? '#' : ' ';
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
    }
    char coo[16];
    std::snprintf(coo, sizeof coo, "%06d", model.counters.coo % 1000000);
    lines.push_back(std::string("AUT ") + coo + " " + setting::formatDateTime(model.clock.now()) +
                    " " + printable(model.serialNumber));
    if (const std::string shown = printable(text); !shown.empty()) lines.push_back(shown);
    return lines;
}

std::vector<std::string> chequeText(bool back, int lines, std::string_view text) {
    std::vector<std::string> out = {rule(), centred(back ? "VERSO DO CHEQUE" : "FRENTE DO CHEQUE")};
    std::vector<std::string> body = wordLines(printable(text));
    if (body.size() > static_cast<std::size_t>(lines)) body.resize(static_cast<std::size_t>(lines));
    for (auto& line : body) out.push_back(std::move(line));
    out.push_back(rule());
    return out;
}

}  // namespace quelfi::sim::layout
