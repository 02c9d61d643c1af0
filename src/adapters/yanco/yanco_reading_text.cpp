// The printer's lines are read by their labels, not by their places, so that a section or a
// line the firmware adds or leaves out moves nothing else.
#include "adapters/yanco/yanco_reading_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quelfi::yanco {

namespace {

constexpr std::size_t kColumns = 42;
constexpr std::size_t kLabelWidth = 26;
constexpr std::size_t kValueWidth = kColumns - kLabelWidth;
constexpr std::string_view kLineEnd = "\r\n";

constexpr std::string_view kXTitle = "             L E I T U R A  X";
constexpr std::string_view kSections[] = {"[ TOTALIZADORES ]",         "[ CONTADORES ]",
                                          "[ OPERACOES NAO FISCAIS ]", "[ FORMAS DE PAGAMENTO ]",
                                          "[ SITUACOES TRIBUTARIAS ]", "[ ISS ]"};

constexpr std::string_view kMemoryTitle = "L E I T U R A  M E M O R I A  F I S C A L";
constexpr std::string_view kReductionsTitle =
    "REDU\xC7\xD5"
    "ES DI\xC1RIAS";
constexpr std::string_view kPeriodTotal = "Total do Per\xEDodo";
constexpr std::string_view kUserTotal = "TOTAL DO USUARIO";

// The printer's labels.
constexpr std::string_view kCnpj = "CNPJ ";
constexpr std::string_view kSerial = "FAB:";
constexpr std::string_view kStore = "LJ:";
constexpr std::string_view kRegister = "CX:";
constexpr std::string_view kRestarts = "CRO";
constexpr std::string_view kReduction = "CRZ ";
constexpr std::string_view kRecordCoo = "COO ";
constexpr std::string_view kRangeByDate = "PERIODO ";
constexpr std::string_view kRangeByReduction = "REDUCOES ";
constexpr std::string_view kGrandTotal = "GT FINAL";
constexpr std::string_view kGrossSales = "VENDA BRUTA";
constexpr std::string_view kNetSales = "VENDA LIQUIDA";
constexpr std::string_view kCancellations = "CANCELAMENTOS";
constexpr std::string_view kIcmsDiscounts = "DESCONTOS ICMS";
constexpr std::string_view kIssDiscounts = "DESCONTOS ISS";
constexpr std::string_view kIcmsSurcharges = "ACRESCIMOS ICMS";
constexpr std::string_view kIssSurcharges = "ACRESCIMOS ISS";
constexpr char kIcmsMark = 'T';
constexpr char kIssMark = 'S';
constexpr char kSubstitution = 'F';
constexpr char kExempt = 'I';
constexpr char kNonIncidence = 'N';

std::string trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return std::string(text);
}

// "1234,56" (a sign allowed) in cents; nothing for any other text.
std::optional<std::int64_t> cents(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || comma == 0 || text.size() != comma + 3 || comma > 16)
        return std::nullopt;
    std::int64_t value = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == comma) continue;
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

std::string money(std::int64_t value) {
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::string whole = std::to_string(magnitude / 100);
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += '.';
        out += whole[i];
    }
    const unsigned rest = static_cast<unsigned>(magnitude % 100);
    out += ',';
    out += static_cast<char>('0' + rest / 10);
    out += static_cast<char>('0' + rest % 10);
    return value < 0 ? "-" + out : out;
}

std::string valueLine(const std::string& label, const std::string& value) {
    std::string line = label;
    line.resize(std::max(kLabelWidth, label.size() + 1), ' ');
    if (value.size() < kValueWidth) line.append(kValueWidth - value.size(), ' ');
    return line + value + std::string(kLineEnd);
}

std::string plainLine(std::string_view text) {
    return std::string(text) + std::string(kLineEnd);
}

// A printer's line split at its last run of two blanks or more: the label and the value.
struct Split {
    std::string label;
    std::string value;
};

std::optional<Split> split(const std::string& line) {
    const std::size_t gap = line.rfind("  ");
    if (gap == std::string::npos) return std::nullopt;
    return Split{trimmed(std::string_view(line).substr(0, gap)),
                 trimmed(std::string_view(line).substr(gap))};
}

// A value line, its amount in money notation; any other line as it came.
std::string laidOut(const std::string& line) {
    const auto parts = split(line);
    if (!parts) return plainLine(line);
    const auto amount = cents(parts->value);
    return valueLine(parts->label, amount ? money(*amount) : parts->value);
}

// "[ NAME ]" inside a line of dashes.
std::optional<std::string> heading(const std::string& line) {
    const std::size_t open = line.find("[ ");
    const std::size_t close = line.find(" ]");
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    return line.substr(open, close + 2 - open);
}

std::string headed(std::string_view name) {
    const std::size_t dashes = name.size() < kColumns ? kColumns - name.size() : 0;
    return std::string(dashes / 2, '-') + std::string(name) +
           std::string(dashes - dashes / 2, '-') + std::string(kLineEnd);
}

// The token after `marker` in `line`, blanks before it skipped.
std::string tokenAfter(const std::string& line, std::string_view marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string::npos) return {};
    std::string_view rest = std::string_view(line).substr(at + marker.size());
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return std::string(rest.substr(0, rest.find(' ')));
}

struct Reduction {
    std::string crz, coo, date;
    std::int64_t grandTotal = 0, gross = 0, net = 0, icmsSurcharges = 0, issSurcharges = 0;
    std::int64_t cancellations = 0, discounts = 0, substitution = 0, exempt = 0, nonIncidence = 0;
    std::int64_t iss = 0;
    std::vector<std::pair<std::string, std::int64_t>> rates;  // four digits, sales
};

// A slot line's label "NN T18,00%": the rate's four digits, and whether it is an ISS rate.
std::optional<std::pair<std::string, bool>> slotRate(const std::string& label) {
    if (label.size() != 10 || label[2] != ' ' || (label[3] != kIcmsMark && label[3] != kIssMark))
        return std::nullopt;
    return std::pair{label.substr(4, 2) + label.substr(7, 2), label[3] == kIssMark};
}

void takeFigure(Reduction& z, const std::string& label, std::int64_t amount) {
    const std::pair<std::string_view, std::int64_t*> fields[] = {
        {kGrandTotal, &z.grandTotal},
        {kGrossSales, &z.gross},
        {kNetSales, &z.net},
        {kCancellations, &z.cancellations},
        {kIcmsDiscounts, &z.discounts},
        {kIssDiscounts, &z.discounts},
        {kIcmsSurcharges, &z.icmsSurcharges},
        {kIssSurcharges, &z.issSurcharges}};
    for (const auto& [name, field] : fields) {
        if (label != name) continue;
        // The two discounts go together.
        *field += amount;
        return;
    }
    if (const auto rate = slotRate(label)) {
        if (rate->second)
            z.iss += amount;
        else
            z.rates.emplace_back(rate->first, amount);
        return;
    }
    if (label.size() < 2 || label[1] != ' ') return;
    if (label[0] == kSubstitution) z.substitution += amount;
    if (label[0] == kExempt) z.exempt += amount;
    if (label[0] == kNonIncidence) z.nonIncidence += amount;
}

std::string situationLines(const Reduction& z) {
    return valueLine("Cancelamentos c=", money(z.cancellations)) +
           valueLine("Descontos d=", money(z.discounts)) +
           valueLine("Substituicao F=", money(z.substitution)) +
           valueLine("Isencao I=", money(z.exempt)) +
           valueLine("Nao incidencia N=", money(z.nonIncidence));
}

std::string reductionText(const Reduction& z) {
    std::string text = plainLine("CRZ: " + z.crz + "  COO: " + z.coo + "  DATA: " + z.date);
    text += valueLine("GT:", money(z.grandTotal));
    text += valueLine("Venda bruta", money(z.gross));
    text += valueLine("Venda liquida", money(z.net));
    text += valueLine("Acrescimos ICMS", money(z.icmsSurcharges));
    text += valueLine("Acrescimos ISS", money(z.issSurcharges));
    for (const auto& [rate, amount] : z.rates) text += valueLine(rate + "=", money(amount));
    text += valueLine("ISS=", money(z.iss));
    return text + situationLines(z);
}

}  // namespace

std::vector<std::string> readingLines(const std::string& gathered) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < gathered.size()) {
        std::size_t end = gathered.find('\n', start);
        if (end == std::string::npos) end = gathered.size();
        std::string line = gathered.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string composeXReading(const std::vector<std::string>& printerLines) {
    constexpr std::size_t kSectionCount = std::size(kSections);
    std::string top;
    std::array<std::string, kSectionCount> bodies;
    std::optional<std::size_t> current;
    for (const std::string& raw : printerLines) {
        const std::string line = trimmed(raw);
        if (line.empty() || line == trimmed(kXTitle)) continue;
        if (const auto name = heading(line)) {
            for (std::size_t k = 0; k < kSectionCount; ++k)
                if (*name == kSections[k]) current = k;
            continue;
        }
        (current ? bodies[*current] : top) += laidOut(line);
    }
    std::string text = plainLine(kXTitle) + top;
    for (std::size_t k = 0; k < kSectionCount; ++k) text += headed(kSections[k]) + bodies[k];
    return text;
}

std::string composeFiscalMemory(const std::vector<std::string>& printerLines) {
    std::string top, cnpj, serial, store, till, restarts, range, none;
    std::vector<Reduction> reductions;
    for (const std::string& raw : printerLines) {
        const std::string line = trimmed(raw);
        const auto parts = split(line);
        if (line.empty() || line == kMemoryTitle ||
            line.find_first_not_of('-') == std::string::npos)
            continue;
        if (line.starts_with(kReduction)) {
            Reduction z;
            z.crz = tokenAfter(line, kReduction);
            z.coo = tokenAfter(line, kRecordCoo);
            z.date = parts ? parts->value : std::string();
            reductions.push_back(std::move(z));
        } else if (!reductions.empty() && parts && cents(parts->value)) {
            takeFigure(reductions.back(), parts->label, *cents(parts->value));
        } else if (line.starts_with(kCnpj)) {
            cnpj = trimmed(std::string_view(line).substr(kCnpj.size()));
        } else if (line.find(kSerial) != std::string::npos ||
                   line.find(kRegister) != std::string::npos) {
            if (line.find(kSerial) != std::string::npos) serial = tokenAfter(line, kSerial);
            if (line.find(kRegister) != std::string::npos) {
                store = tokenAfter(line, kStore);
                till = tokenAfter(line, kRegister);
            }
        } else if (parts && parts->label == kRestarts) {
            restarts = parts->value;
        } else if (line.starts_with(kRangeByDate) || line.starts_with(kRangeByReduction)) {
            range = line;
        } else if (!parts && range.size() > 0) {
            none += plainLine(line);
        } else {
            top += laidOut(line);
        }
    }
    std::string text = plainLine(kMemoryTitle) + top;
    text += plainLine("CNPJ: " + cnpj) + plainLine("FAB: " + serial);
    text += plainLine("LJ: " + store + "  CX: " + till) + plainLine("CRO: " + restarts);
    text += plainLine(range) + plainLine(std::string(kColumns, '-'));
    text += plainLine(kReductionsTitle);
    Reduction period;
    for (const Reduction& z : reductions) {
        text += reductionText(z);
        period.gross += z.gross;
        period.cancellations += z.cancellations;
        period.discounts += z.discounts;
        period.substitution += z.substitution;
        period.exempt += z.exempt;
        period.nonIncidence += z.nonIncidence;
    }
    text += none + plainLine(std::string(kColumns, '-')) + plainLine(kPeriodTotal);
    text += valueLine("Venda bruta", money(period.gross)) + situationLines(period);
    text += plainLine(kUserTotal);
    return text + valueLine("GT:", money(reductions.empty() ? 0 : reductions.back().grandTotal));
}

}  // namespace quelfi::yanco
