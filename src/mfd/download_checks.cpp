#include "mfd/download_checks.h"

#include <algorithm>
#include <cstdlib>

#include "core/export_call.h"
#include "fiscal/argument_format.h"

namespace quelfi::mfd {
namespace {

constexpr std::size_t kCooDigits = 6;
constexpr long kLastUser = 999;  // the command's user field has three digits

bool allDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool validCoo(const std::string& text) {
    return !text.empty() && text.size() <= kCooDigits && allDigits(text);
}

}  // namespace

std::optional<DateRange> checkDates(const char* start, const char* end, std::string& refusal) {
    // Only six digits (DDMMAA) or eight (DDMMAAAA) fill the command's date fields.
    const std::optional<std::string> first =
        fiscal::shortDate(fiscal::keepDigits(core::argText(start)));
    if (!first) {
        refusal = "Parametro invalido para a data inicial";
        return std::nullopt;
    }
    const std::optional<std::string> last =
        fiscal::shortDate(fiscal::keepDigits(core::argText(end)));
    if (!last) {
        refusal = "Parametro invalido para a data final";
        return std::nullopt;
    }
    if (!fiscal::isValidShortDate(*first)) {
        refusal = "Data inicial invalida";
        return std::nullopt;
    }
    if (!fiscal::isValidShortDate(*last)) {
        refusal = "Data final invalida";
        return std::nullopt;
    }
    return DateRange{*first, *last};
}

std::optional<CooRange> checkCoos(const char* start, const char* end, const char* user,
                                  std::string& refusal) {
    const std::string first = core::argText(start);
    const std::string last = core::argText(end);
    const std::string userText = core::argText(user);
    if (!validCoo(first)) {
        refusal = "Parametro invalido para COOInicial " + first;
        return std::nullopt;
    }
    if (!validCoo(last)) {
        refusal = "Parametro invalido para COOFinal " + last;
        return std::nullopt;
    }
    if (userText.empty()) {
        refusal = "O usuario n\xE3o pode ser nulo";
        return std::nullopt;
    }
    if (!allDigits(userText) || std::strtol(userText.c_str(), nullptr, 10) > kLastUser) {
        refusal = "Parametro invalido para o usuario " + userText;
        return std::nullopt;
    }
    return CooRange{std::atol(first.c_str()), std::atol(last.c_str()),
                    static_cast<int>(std::strtol(userText.c_str(), nullptr, 10))};
}

}  // namespace quelfi::mfd
