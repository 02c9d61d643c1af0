// What the Yanco fiscal printer keeps: identity and owner, the programmed tables (13 rates,
// 30 payment forms, 9 non-fiscal totalizers), counters, the grand total and the day's totals,
// the day and the document in progress, the fiscal memory, clock and sensors. Plain data:
// commands change it, queries read it, the state file stores it.
//
// Money is kept in centavos, rates in hundredths of a percent, quantities in thousandths and
// unit prices in thousandths of a real. The printer prints ASCII only: texts are kept as sent.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/printer_clock.h"
#include "sim/yanco/coupon.h"

namespace quelfi::sim::yanco {

inline constexpr std::size_t kRateSlots = 13;
inline constexpr std::size_t kPaymentForms = 30;
inline constexpr std::size_t kNonFiscalTotalizers = 9;
// The non-fiscal totalizers the firmware keeps for itself (1-based).
inline constexpr int kWithdrawalTotalizer = 2;
inline constexpr int kSupplyTotalizer = 3;
// The totalizers an owner may name ("10").
inline constexpr int kFirstNameable = 5;
inline constexpr int kLastNameable = 8;

struct Rate {
    int hundredths = 0;  // 1800 is 18,00 %
    Tax tax = Tax::Icms;
    bool operator==(const Rate&) const = default;
};

struct PaymentForm {
    std::string name;           // blank: not programmed
    bool boundReceipt = false;  // a coupon paid in it may be followed by a bound receipt
    Money dayTotal = 0;
    bool operator==(const PaymentForm&) const = default;
};

struct Counters {
    int coo = 0;  // every document takes the next number
    int ccf = 0;  // fiscal coupons
    int gnf = 0;  // non-fiscal documents: receipts, reports, readings
    int grg = 0;  // management reports
    int cdc = 0;  // bound receipts
    int crz = 0;  // Z reductions
    int cro = 0;  // interventions
    int cancelledCoupons = 0;
    bool operator==(const Counters&) const = default;
};

// The day's totals, all cleared by the Z reduction.
struct DayTotals {
    std::array<Money, kSaleSlots> sales{};  // net sales per slot: 13 rates, F, I, N
    Money icmsDiscounts = 0;
    Money issDiscounts = 0;
    Money icmsSurcharges = 0;
    Money issSurcharges = 0;
    Money cancellations = 0;
    std::array<Money, kNonFiscalTotalizers> nonFiscal{};
    std::array<int, kNonFiscalTotalizers> nonFiscalCounts{};
    bool operator==(const DayTotals&) const = default;
};

enum class Document {
    None,
    Coupon,          // taking items
    CouponTotalled,  // subtotal discount or surcharge taken: payments next
    CouponPayment,   // payments under way
    CouponPaid,      // paid in full: the end ("16") next
    BoundReceipt,    // bound to the last coupon's payment
    Report,          // management report
};

// A record of the fiscal memory, written by the Z reduction.
struct Reduction {
    int crz = 0;
    int coo = 0;  // of the reduction itself
    DateTime madeAt;
    CivilDate movementDate;
    Money openingTotal = 0;  // the grand total the day began with
    Money grandTotal = 0;
    DayTotals totals;
    bool operator==(const Reduction&) const = default;
};

enum class Paper { Ok, NearEnd, Out };

struct Model {
    // The machine and the owner.
    std::string serialNumber = "YC00000001";
    std::string firmware = "01";
    std::string cnpj = "11.222.333/0001-81";
    std::string stateRegistration = "111.222.333.444";
    std::string ownerHeader = "YANCO COMERCIO LTDA";  // up to four lines of 42
    std::string currencySymbol = "R$";
    int storeNumber = 1;
    int registerNumber = 1;
    bool daylightSaving = false;
    int fiscalMemoryCapacity = 1825;  // reductions the fiscal memory holds

    // Programmed tables; slot n is element n - 1. A form's amount of the day is cleared by the
    // reduction.
    std::array<std::optional<Rate>, kRateSlots> rates{Rate{1800}, Rate{1200}, Rate{700},
                                                      Rate{500, Tax::Iss}};
    std::array<PaymentForm, kPaymentForms> paymentForms{
        PaymentForm{"Dinheiro"}, PaymentForm{"Cheque"}, PaymentForm{"Cartao", true}};
    // The non-fiscal totalizers' names; blank: not programmed.
    std::array<std::string, kNonFiscalTotalizers> nonFiscalNames{"Recebimento", "Sangria",
                                                                 "Suprimento"};

    // Counters and totals.
    Counters counters;
    Money grandTotal = 0;
    Money openingTotal = 0;  // the grand total when the day was opened
    DayTotals day;

    // The day and the document in progress.
    bool dayOpen = false;
    std::optional<CivilDate> movementDate;  // the date the day was opened, until its reduction
    Document document = Document::None;
    Coupon coupon;                      // the coupon in progress, or the last one
    bool lastDocumentIsCoupon = false;  // nothing but its bound receipts printed since
    std::vector<Reduction> reductions;

    PrinterClock clock;

    // Sensors.
    Paper paper = Paper::Ok;
    bool drawerOpen = false;
    bool mechanismError = false;

    bool operator==(const Model&) const = default;
};

bool fiscalMemoryFull(const Model& model);
// The day has passed its date: only the reduction is taken.
bool reductionDue(const Model& model);
// The state number of the status answer.
int stateNumber(const Model& model);
bool couponOpen(const Model& model);
// The last coupon may still be cancelled with "1E".
bool lastCouponCancellable(const Model& model);
// A bound receipt may be opened ("131"): the last document is a coupon paid in a form that takes
// one.
bool boundReceiptAllowed(const Model& model);

}  // namespace quelfi::sim::yanco
