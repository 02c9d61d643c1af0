// The settings that map one key to one field, shared by the reader and the writer of the
// settings text so the two cannot drift apart.
#pragma once

#include <string>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::setting {

template <typename Owner, typename Field>
struct Binding {
    const char* key;
    Field Owner::*field;
};

inline constexpr Binding<FiscalModel, bool> kFlags[] = {
    {"mfd", &FiscalModel::electronicJournal},
    {"truncate", &FiscalModel::truncation},
    {"dst", &FiscalModel::daylightSaving},
    {"cancellable", &FiscalModel::lastCouponCancellable},
    {"drawer", &FiscalModel::drawerOpen},
    {"clock.error", &FiscalModel::clockError},
    {"printer.error", &FiscalModel::printerError},
    {"ram.error", &FiscalModel::ramError},
    {"cut", &FiscalModel::cutNext},
    {"onoffline", &FiscalModel::onOffLineHandling},
    {"leftalign", &FiscalModel::leftAlignment},
    {"oneline", &FiscalModel::oneLineSale},
    {"training", &FiscalModel::trainingMode},
};

inline constexpr Binding<FiscalModel, int> kNumbers[] = {
    {"lastcoo", &FiscalModel::lastCouponCoo},
    {"store", &FiscalModel::storeNumber},
    {"register", &FiscalModel::registerNumber},
    {"mode", &FiscalModel::operationMode},
    {"eprom", &FiscalModel::epromConnected},
    {"memory", &FiscalModel::fiscalMemoryCapacity},
    {"minutes", &FiscalModel::minutesOn},
    {"minutes.printing", &FiscalModel::minutesPrinting},
    {"paper.lines", &FiscalModel::linesSinceNearEnd},
    {"impact", &FiscalModel::needleImpact},
    {"feed", &FiscalModel::linesAfterDocument},
    {"spacing", &FiscalModel::lineSpacing},
    {"journal.size", &FiscalModel::journalCapacity},
};

inline constexpr Binding<FiscalModel, std::string> kTexts[] = {
    {"serial", &FiscalModel::serialNumber},
    {"cnpj", &FiscalModel::cnpj},
    {"ie", &FiscalModel::stateRegistration},
    {"im", &FiscalModel::municipalRegistration},
    {"cliche", &FiscalModel::cliche},
    {"currency", &FiscalModel::currencySymbol},
    {"currency.singular", &FiscalModel::currencySingular},
    {"currency.plural", &FiscalModel::currencyPlural},
    {"uf", &FiscalModel::ownerState},
    {"journal.serial", &FiscalModel::journalSerial},
    {"cheque.line", &FiscalModel::chequeLine},
};

inline constexpr Binding<FiscalModel, Money> kAmounts[] = {
    {"gt", &FiscalModel::grandTotal},
    {"lastpaid", &FiscalModel::lastCouponPaid},
};

inline constexpr Binding<Counters, int> kCounters[] = {
    {"coo", &Counters::coo},
    {"crz", &Counters::crz},
    {"cro", &Counters::cro},
    {"gnf", &Counters::gnf},
    {"ccf", &Counters::ccf},
    {"grg", &Counters::grg},
    {"cdc", &Counters::cdc},
    {"cancelled", &Counters::cancelledCoupons},
    {"cancelled.nonfiscal", &Counters::cancelledNonFiscal},
    {"owners", &Counters::ownerSubstitutions},
    {"tickets", &Counters::passengerTickets},
    {"lastitem", &Counters::lastItem},
};

inline constexpr Binding<DayTotals, Money> kDayTotals[] = {
    {"icms.exempt", &DayTotals::icmsExempt},
    {"icms.nonincidence", &DayTotals::icmsNonIncidence},
    {"icms.substitution", &DayTotals::icmsSubstitution},
    {"iss.exempt", &DayTotals::issExempt},
    {"iss.nonincidence", &DayTotals::issNonIncidence},
    {"iss.substitution", &DayTotals::issSubstitution},
    {"icms.discounts", &DayTotals::icmsDiscounts},
    {"iss.discounts", &DayTotals::issDiscounts},
    {"icms.surcharges", &DayTotals::icmsSurcharges},
    {"iss.surcharges", &DayTotals::issSurcharges},
    {"icms.cancellations", &DayTotals::icmsCancellations},
    {"iss.cancellations", &DayTotals::issCancellations},
    {"withdrawals", &DayTotals::withdrawals},
    {"supplies", &DayTotals::supplies},
    {"nonfiscal.discounts", &DayTotals::nonFiscalDiscounts},
    {"nonfiscal.surcharges", &DayTotals::nonFiscalSurcharges},
    {"nonfiscal.cancellations", &DayTotals::nonFiscalCancellations},
};

// Names of the enumerations' values.
inline constexpr const char* kPaperStates[] = {"ok", "low", "out"};
inline constexpr const char* kDocumentStates[] = {"none",
                                                  "coupon",
                                                  "payment",
                                                  "nonfiscal",
                                                  "report",
                                                  "bound",
                                                  "subtotal",
                                                  "nonfiscal.subtotal",
                                                  "nonfiscal.payment",
                                                  "creditnote"};
inline constexpr const char* kJournalKinds[] = {"coupon",
                                                "coupon.cancellation",
                                                "coupon.additional",
                                                "nonfiscal",
                                                "nonfiscal.cancellation",
                                                "report",
                                                "bound",
                                                "bound.reprint",
                                                "bound.copy",
                                                "bound.reversal",
                                                "reading",
                                                "reduction",
                                                "memory.reading",
                                                "other"};

}  // namespace quelfi::sim::setting
