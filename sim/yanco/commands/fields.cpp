#include "sim/yanco/commands/fields.h"

#include "sim/yanco/codes.h"

namespace quelfi::sim::yanco::field {

std::optional<std::int64_t> number(std::string_view command, std::size_t at, std::size_t width) {
    if (at + width > command.size() || width == 0 || width > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : command.substr(at, width)) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<Money> amount(std::string_view command, std::size_t at, std::size_t width) {
    const auto thousandths = number(command, at, width);
    if (!thousandths) return std::nullopt;
    return *thousandths / 10;
}

bool blank(std::string_view command, std::size_t at, std::size_t width) {
    if (at + width > command.size()) return false;
    return command.substr(at, width).find_first_not_of(' ') == std::string_view::npos;
}

std::string_view text(std::string_view command, std::size_t at, std::size_t width) {
    return at < command.size() ? command.substr(at, width) : std::string_view();
}

std::optional<CivilDate> date(std::string_view command, std::size_t at, std::size_t width) {
    const auto day = number(command, at, 2);
    const auto month = number(command, at + 2, 2);
    const auto year = number(command, at + 4, width - 4);
    if (!day || !month || !year || (width != 6 && width != 8)) return std::nullopt;
    int fullYear = static_cast<int>(*year);
    if (width == 6) fullYear += fullYear < 53 ? 2000 : 1900;
    const CivilDate result{fullYear, static_cast<int>(*month), static_cast<int>(*day)};
    if (!isValid(result)) return std::nullopt;
    return result;
}

std::optional<AdjustmentRequest> adjustment(std::string_view command, std::size_t valueAt,
                                            std::size_t valueWidth, std::size_t percentAt,
                                            char kind) {
    const auto thousandths = number(command, valueAt, valueWidth);
    const auto percent = number(command, percentAt, 4);
    if (!thousandths || !percent) return std::nullopt;
    const Money value = *thousandths / 10;
    AdjustmentRequest request;
    request.surcharge = kind == codes::kValueSurcharge || kind == codes::kPercentSurcharge;
    if (kind == codes::kValueDiscount || kind == codes::kValueSurcharge) {
        if (*percent != 0 || value == 0) return std::nullopt;
        request.value = value;
    } else if (kind == codes::kPercentDiscount || kind == codes::kPercentSurcharge) {
        if (*thousandths != 0 || *percent == 0) return std::nullopt;
        request.percent = static_cast<int>(*percent);
    } else {
        return std::nullopt;
    }
    return request;
}

}  // namespace quelfi::sim::yanco::field
