// The reading is read line by line: the printer's heading and foot name the owner and the
// machine, the section "REDUÇÕES DIÁRIAS" lists one block per reduction opened by its "CRZ:" line,
// and "Total do Período" or "TOTAL DO USUARIO" close the section. Amounts keep only their digits
// (cents); a field wider than its register column keeps its last digits.
#include "mfd/sintegra_reading.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "protocol/code_page.h"

namespace quelfi::mfd {

namespace {

constexpr std::string_view kTrainingMark = "M.O.D.O.?.T.R.E.I.N.A.M.E.N.T.O";
constexpr std::string_view kReductionsTitle =
    "REDU\xC7\xD5"
    "ES DI\xC1RIAS";
constexpr std::string_view kPeriodTotal = "Total do Per\xEDodo";
constexpr std::string_view kUserTotal = "TOTAL DO USUARIO";
constexpr std::string_view kCnpj = "CNPJ:";
constexpr std::string_view kSerial = "FAB:";
constexpr std::string_view kRegister = "CX:";
constexpr std::string_view kRestarts = "CRO:";
constexpr std::string_view kReduction = "CRZ:";
constexpr std::string_view kCoo = "COO:";
constexpr std::string_view kDate = "DATA:";
constexpr std::string_view kGrandTotal = "GT:";
constexpr std::string_view kIss = "ISS=";
// Eighteen digits always fit 64 bits.
constexpr std::size_t kDigitsMax = 18;
constexpr std::size_t kSerialWidth = 20;

// The mark is spelt with any one character between its letters.
bool hasTrainingMark(std::string_view line) {
    if (line.size() < kTrainingMark.size()) return false;
    for (std::size_t at = 0; at + kTrainingMark.size() <= line.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; same && i < kTrainingMark.size(); ++i)
            same = kTrainingMark[i] == '.' || kTrainingMark[i] == '?' ||
                   kTrainingMark[i] == line[at + i];
        if (same) return true;
    }
    return false;
}

std::string trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

// The token after `marker` in `line`: up to the next blank.
std::optional<std::string> after(std::string_view line, std::string_view marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos) return std::nullopt;
    std::string_view rest = line.substr(at + marker.size());
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return std::string(rest.substr(0, rest.find(' ')));
}

// The digits of a token, its last eighteen.
std::string digitsOf(std::string_view token) {
    std::string digits;
    for (const char c : token)
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
    return digits.size() > kDigitsMax ? digits.substr(digits.size() - kDigitsMax) : digits;
}

std::int64_t numberOf(std::string_view token) {
    std::int64_t value = 0;
    for (const char c : digitsOf(token)) value = value * 10 + (c - '0');
    return value;
}

// DD/MM/AAAA (or DD/MM/AA, taken in this century) as AAAAMMDD; anything else as zeros.
std::string registerDate(std::string_view token) {
    const std::string d = digitsOf(token);
    if (d.size() == 8) return d.substr(4, 4) + d.substr(2, 2) + d.substr(0, 2);
    if (d.size() == 6) return "20" + d.substr(4, 2) + d.substr(2, 2) + d.substr(0, 2);
    return std::string(8, '0');
}

void readFigures(std::string_view line, SintegraReduction& z) {
    if (auto gt = after(line, kGrandTotal)) z.grandTotal = numberOf(*gt);
    if (auto iss = after(line, kIss)) z.iss = numberOf(*iss);
    const std::pair<std::string_view, std::int64_t*> marks[] = {{"c=", &z.cancellations},
                                                                {"d=", &z.discounts},
                                                                {"F=", &z.substitution},
                                                                {"I=", &z.exempt},
                                                                {"N=", &z.nonIncidence}};
    for (const auto& [mark, field] : marks) {
        // A mark counts at the line's start or after a blank, never inside another word.
        for (std::size_t at = line.find(mark); at != std::string_view::npos;
             at = line.find(mark, at + 1)) {
            if (at > 0 && line[at - 1] != ' ') continue;
            *field = numberOf(after(line.substr(at), mark).value_or(""));
            break;
        }
    }
    // A rate line: its four digits, "=", the amount.
    if (line.size() > 5 && line[4] == '=' &&
        std::all_of(line.begin(), line.begin() + 4,
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        z.rates.emplace_back(std::string(line.substr(0, 4)), numberOf(line.substr(5)));
}

// `text` in a column of `width` digits: its last digits, zeros before.
std::string column(const std::string& digits, std::size_t width) {
    if (digits.size() >= width) return digits.substr(digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

std::string number(std::int64_t value, std::size_t width) {
    return column(std::to_string(value < 0 ? 0 : value), width);
}

std::string padRight(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace

SintegraReading parseSintegraReading(const std::string& raw) {
    const std::string& text = raw;
    // The accented titles may come in the printer's code page or in the library's.
    const std::string reductionsTitle = protocol::inPrinterCodePage(kReductionsTitle);
    const std::string periodTotal = protocol::inPrinterCodePage(kPeriodTotal);
    SintegraReading reading;
    bool inReductions = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (hasTrainingMark(line)) reading.training = true;
        if (line.starts_with(kCnpj)) reading.cnpj = trimmed(line.substr(kCnpj.size()));
        if (auto serial = after(line, kSerial)) reading.serial = serial->substr(0, kSerialWidth);
        if (auto number = after(line, kRegister)) reading.registerNumber = digitsOf(*number);
        if (line.find(kReductionsTitle) != std::string_view::npos ||
            line.find(reductionsTitle) != std::string_view::npos) {
            inReductions = true;
            continue;
        }
        if (line.find(kPeriodTotal) != std::string_view::npos ||
            line.find(periodTotal) != std::string_view::npos ||
            line.find(kUserTotal) != std::string_view::npos)
            inReductions = false;
        if (auto restarts = after(line, kRestarts)) reading.restarts = numberOf(*restarts);
        if (!inReductions) continue;
        if (line.starts_with(kReduction)) {
            SintegraReduction z;
            z.crz = numberOf(after(line, kReduction).value_or(""));
            z.coo = numberOf(after(line, kCoo).value_or(""));
            z.date = registerDate(after(line, kDate).value_or(""));
            reading.reductions.push_back(std::move(z));
        } else if (!reading.reductions.empty()) {
            readFigures(line, reading.reductions.back());
        }
    }
    return reading;
}

constexpr std::int64_t kGrossModulus = 10'000'000'000'000'000;  // the gross sale's 16 digits

std::string sintegraRegisters(const SintegraReading& reading) {
    std::string out;
    long long previousCoo = 0;
    for (const SintegraReduction& z : reading.reductions) {
        const std::string head = z.date + padRight(reading.serial, kSerialWidth);
        // Summed in the column's own 16 digits, as a field wider than its column is written:
        // eighteen-digit amounts, summed whole, could pass the 64 bits.
        std::int64_t gross = 0;
        const auto add = [&gross](std::int64_t amount) {
            gross = (gross + amount % kGrossModulus) % kGrossModulus;
        };
        for (const std::int64_t amount : {z.iss, z.cancellations, z.discounts, z.substitution,
                                          z.exempt, z.nonIncidence})
            add(amount);
        for (const auto& [code, amount] : z.rates) add(amount);
        // The day's first coupon follows the previous reduction; the reading's first reduction
        // has none before it and starts at its own.
        const long long firstCoo = previousCoo > 0 && previousCoo < z.coo ? previousCoo + 1 : z.coo;
        previousCoo = z.coo;
        out += "60M" + head + column(reading.registerNumber, 3) + "2D" + number(firstCoo, 6) +
               number(z.coo, 6) + number(z.crz, 6) + number(reading.restarts, 3) +
               number(gross, 16) + number(z.grandTotal, 16) + std::string(37, ' ') + "\n";
        const auto analytic = [&](const std::string& code, std::int64_t amount) {
            if (amount == 0) return;
            out +=
                "60A" + head + padRight(code, 4) + number(amount, 12) + std::string(79, ' ') + "\n";
        };
        for (const auto& [code, amount] : z.rates) analytic(code, amount);
        analytic("ISS", z.iss);
        analytic("CANC", z.cancellations);
        analytic("DESC", z.discounts);
        analytic("F", z.substitution);
        analytic("I", z.exempt);
        analytic("N", z.nonIncidence);
    }
    return out;
}

}  // namespace quelfi::mfd
