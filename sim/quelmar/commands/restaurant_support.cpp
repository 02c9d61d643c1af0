#include "sim/quelmar/commands/restaurant_support.h"

#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/restaurant_floor.h"

namespace quelfi::sim::restaurant {

namespace {

struct Letter {
    const char* code;
    RateKind kind;
};
constexpr Letter kLetters[] = {
    {"II", RateKind::Exempt}, {"NN", RateKind::NonIncidence}, {"FF", RateKind::Substitution}};

}  // namespace

std::optional<int> tableField(std::string_view field) {
    const auto number = sale::digits(field);
    if (field.size() != 4 || !number || *number < 1 || *number > kHighestTable) return std::nullopt;
    return static_cast<int>(*number);
}

bool rateTaken(CommandContext& c, std::string_view rate) {
    for (const Letter& letter : kLetters)
        if (rate == letter.code) return true;
    const auto slot = sale::digits(rate);
    if (rate.size() != 2 || !slot || *slot < 1 ||
        *slot > static_cast<std::int64_t>(kTaxRateSlots)) {
        sale::invalidParameter(c.reply);
        return false;
    }
    if (*slot > static_cast<std::int64_t>(c.model.taxRates.size())) {
        sale::refuse(c.reply, codes::kSt2RateNotProgrammed);
        return false;
    }
    return true;
}

void setSaleRate(const FiscalModel& model, const std::string& rate, SaleItem& item) {
    item.rateCode = rate;
    for (const Letter& letter : kLetters) {
        if (rate != letter.code) continue;
        item.kind = letter.kind;
        return;
    }
    item.kind = RateKind::Slot;
    item.slot = std::stoi(rate);
    item.iss = model.taxRates[static_cast<std::size_t>(item.slot - 1)].binding == TaxBinding::Iss;
}

}  // namespace quelfi::sim::restaurant
