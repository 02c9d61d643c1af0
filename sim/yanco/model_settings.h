// The settings of the Yanco printer's notation that map one key to one field, shared by the
// reader and the writer of the settings text so the two cannot drift apart.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/yanco/model.h"

namespace quelfi::sim::yanco::setting_keys {

template <typename Owner, typename Field>
struct Binding {
    const char* key;
    Field Owner::*field;
};

inline constexpr Binding<Model, std::string> kTexts[] = {
    {"serial", &Model::serialNumber}, {"firmware", &Model::firmware},
    {"cnpj", &Model::cnpj},           {"ie", &Model::stateRegistration},
    {"header", &Model::ownerHeader},  {"currency", &Model::currencySymbol},
};

inline constexpr Binding<Model, int> kNumbers[] = {
    {"store", &Model::storeNumber},
    {"register", &Model::registerNumber},
    {"memory", &Model::fiscalMemoryCapacity},
};

inline constexpr Binding<Model, bool> kFlags[] = {
    {"dst", &Model::daylightSaving},
    {"drawer", &Model::drawerOpen},
    {"mechanism.error", &Model::mechanismError},
    {"day", &Model::dayOpen},
    {"lastcoupon", &Model::lastDocumentIsCoupon},
};

inline constexpr Binding<Model, Money> kAmounts[] = {
    {"gt", &Model::grandTotal},
    {"gt.opening", &Model::openingTotal},
};

inline constexpr Binding<Counters, int> kCounters[] = {
    {"coo", &Counters::coo}, {"ccf", &Counters::ccf},
    {"gnf", &Counters::gnf}, {"grg", &Counters::grg},
    {"cdc", &Counters::cdc}, {"crz", &Counters::crz},
    {"cro", &Counters::cro}, {"cancelled", &Counters::cancelledCoupons},
};

inline constexpr Binding<DayTotals, Money> kDayAmounts[] = {
    {"icms.discounts", &DayTotals::icmsDiscounts},   {"iss.discounts", &DayTotals::issDiscounts},
    {"icms.surcharges", &DayTotals::icmsSurcharges}, {"iss.surcharges", &DayTotals::issSurcharges},
    {"cancellations", &DayTotals::cancellations},
};

inline constexpr const char* kPaperStates[] = {"ok", "low", "out"};
inline constexpr const char* kDocuments[] = {"none", "coupon", "totalled", "payment",
                                             "paid", "bound",  "report"};

// Amounts in centavos with a point and an optional sign: "-12.5" is -1250.
std::optional<Money> parseAmount(std::string_view text);
std::string formatAmount(Money value);
// The notation's texts are ASCII: %XX escapes write any byte (a byte from the line the printer
// keeps as it came). parseAscii is null when the text is not ASCII or an escape is broken.
std::optional<std::string> parseAscii(std::string_view text);
std::string formatAscii(std::string_view text, bool listEntry = false);

}  // namespace quelfi::sim::yanco::setting_keys
