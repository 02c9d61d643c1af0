#include "tef/response_text.h"

#include <algorithm>

#include "tef/exchange_format.h"

namespace quelfi::tef {

namespace {

// The first two lines name the operation and the identification; fields are looked for after.
constexpr std::size_t kFirstFieldLine = 2;
constexpr std::size_t kVoucherColumn = 11;

}  // namespace

ResponseText::ResponseText(std::string_view text) : lines(exchangeLines(text)) {}

std::string ResponseText::lineValue(std::size_t index) const {
    return index < lines.size() ? valueOf(lines[index]) : std::string();
}

long long ResponseText::identification() const {
    return decimalValue(lineValue(1));
}

std::string ResponseText::fieldValue(std::string_view field, std::size_t from) const {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (isField(lines[i], field)) return valueOf(lines[i]);
    return {};
}

std::string ResponseText::lastFieldValue(std::string_view field) const {
    for (std::size_t i = lines.size(); i-- > 0;)
        if (isField(lines[i], field)) return valueOf(lines[i]);
    return {};
}

std::string ResponseText::status() const {
    return fieldValue("009", kFirstFieldLine).substr(0, 1);
}

std::string ResponseText::voucherCount() const {
    for (std::size_t i = kFirstFieldLine; i < lines.size(); ++i)
        if (isField(lines[i], "028")) return valueOf(lines[i]);
    return "0";
}

std::vector<std::string> ResponseText::voucherLines() const {
    std::vector<std::string> voucher;
    for (std::size_t i = kFirstFieldLine; i < lines.size(); ++i) {
        if (!isField(lines[i], "028")) continue;
        const long long count = decimalValue(valueOf(lines[i]));
        for (std::size_t j = i + 1; j < lines.size() && static_cast<long long>(j - i) <= count; ++j)
            voucher.push_back(lines[j].size() > kVoucherColumn ? lines[j].substr(kVoucherColumn)
                                                               : std::string());
        break;
    }
    return voucher;
}

bool saysCancelled(std::string_view message) {
    static constexpr std::string_view kCancelled[] = {
        "A opera\xE7\xE3o foi cancelada.", "Cancelada pelo operador", "Finalizado pelo Operador",
        "Cancelado pelo operador.", "Transacao interrompida pelo operador"};
    return std::find(std::begin(kCancelled), std::end(kCancelled), message) != std::end(kCancelled);
}

bool saysAlreadyDone(std::string_view message) {
    return message == "Transacao ja efetuada..";
}

std::string printedLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (!line.empty() && line.back() == '"') line.remove_suffix(1);
    return line.empty() ? std::string(" ") : std::string(line);
}

}  // namespace quelfi::tef
