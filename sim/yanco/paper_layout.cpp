#include "sim/yanco/paper_layout.h"

#include <cstdio>

#include "sim/setting_values.h"
#include "sim/yanco/layouts.h"

namespace quelfi::sim::yanco::layout {

std::string amount(Money value) {
    const Money magnitude = value < 0 ? -value : value;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%lld,%02lld", value < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 100), static_cast<long long>(magnitude % 100));
    return buffer;
}

std::string percent(int hundredths) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d,%02d%%", hundredths / 100 % 100, hundredths % 100);
    return buffer;
}

std::string digits(std::int64_t value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, static_cast<long long>(value));
    return buffer;
}

std::string printable(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c < 0x20 || c > 0x7E) c = '?';
    return out;
}

std::string centred(std::string_view text) {
    if (text.size() >= kColumns) return std::string(text);
    return std::string((kColumns - text.size()) / 2, ' ') + std::string(text);
}

std::string spread(std::string_view left, std::string_view right) {
    const std::size_t used = left.size() + right.size();
    const std::size_t gap = used < kColumns ? kColumns - used : 1;
    return std::string(left) + std::string(gap, ' ') + std::string(right);
}

std::string rule() {
    return std::string(kColumns, '-');
}

std::string headed(std::string_view heading) {
    const std::size_t dashes = heading.size() < kColumns ? kColumns - heading.size() : 0;
    return std::string(dashes / 2, '-') + std::string(heading) +
           std::string(dashes - dashes / 2, '-');
}

std::string trimmed(std::string_view field) {
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    return std::string(field);
}

std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size(); at += kColumns) {
        std::string line = trimmed(text.substr(at, kColumns));
        if (!line.empty()) lines.push_back(printable(line));
    }
    return lines;
}

std::vector<std::string> heading(const Model& model, int coo, std::string_view title) {
    std::vector<std::string> lines;
    for (const std::string& line : textLines(model.ownerHeader)) lines.push_back(centred(line));
    lines.push_back("CNPJ " + printable(model.cnpj));
    lines.push_back("IE " + printable(model.stateRegistration));
    lines.push_back(rule());
    lines.push_back(spread(setting::formatDateTime(model.clock.now()), "COO:" + digits(coo, 6)));
    lines.push_back(centred(title));
    return lines;
}

std::vector<std::string> foot(const Model& model) {
    return {
        rule(), spread("YANCO ECF", "FAB:" + printable(model.serialNumber)),
        spread("VERSAO " + printable(model.firmware),
               "LJ:" + digits(model.storeNumber, 4) + " CX:" + digits(model.registerNumber, 4))};
}

std::string slotMark(const Model& model, int slot) {
    switch (slot) {
        case kSubstitutionSlot:
            return "F";
        case kExemptSlot:
            return "I";
        case kNonIncidenceSlot:
            return "N";
        default:
            break;
    }
    const auto& rate = model.rates[static_cast<std::size_t>(slot - 1)];
    if (!rate) return "--";
    const char mark =
        rate->tax == Tax::Iss ? ::quelfi::yanco::kIssMark : ::quelfi::yanco::kIcmsMark;
    return mark + percent(rate->hundredths);
}

}  // namespace quelfi::sim::yanco::layout
