// What a Quelmar fiscal printer keeps: identity, owner data, programmed tables, counters, the day's
// totalizers, the document in progress, the fiscal memory of reductions, clock, settings and
// sensors. Plain data: commands change it, queries read it, the model file stores it.
//
// Money is kept in centavos; rates in hundredths of a percent; quantities in thousandths. Texts
// (names, owner data) are kept as the printer stores them, in code page 850.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/printer_clock.h"
#include "sim/quelmar/cheque.h"
#include "sim/quelmar/journal_documents.h"
#include "sim/quelmar/restaurant_floor.h"
#include "sim/quelmar/sale_coupon.h"

namespace quelfi::sim {

using Money = std::int64_t;

inline constexpr std::size_t kTaxRateSlots = 16;
inline constexpr std::size_t kPaymentFormSlots = 52;
inline constexpr std::size_t kNonFiscalSlots = 50;
inline constexpr std::size_t kDepartmentSlots = 20;

enum class TaxBinding { Icms, Iss };

struct TaxRate {
    int hundredths = 0;  // 1800 is 18,00 %
    TaxBinding binding = TaxBinding::Icms;
    Money dayTotal = 0;
    bool operator==(const TaxRate&) const = default;
};

struct PaymentForm {
    std::string name;
    bool boundReceipt = false;  // may be followed by a bound (card) receipt
    Money dayTotal = 0;
    Money lastCoupon = 0;  // paid with this form in the last coupon
    bool operator==(const PaymentForm&) const = default;
};

// A totalizer of operations not subject to ICMS (receipts, supplies, ...). Slots are named one
// by one, so a slot without a name is simply not programmed.
struct NonFiscalTotalizer {
    std::string name;
    int count = 0;
    Money dayTotal = 0;
    bool operator==(const NonFiscalTotalizer&) const = default;
};

struct Department {
    std::string name;
    Money dayTotal = 0;
    std::int64_t quantity = 0;  // thousandths
    bool operator==(const Department&) const = default;
};

struct Counters {
    int coo = 0;  // operation counter: every document takes the next number
    int crz = 0;  // Z reductions
    int cro = 0;  // restarts of operation (technical interventions)
    int gnf = 0;  // non-fiscal operations
    int ccf = 0;  // fiscal coupons
    int grg = 0;  // management reports
    int cdc = 0;  // bound (credit/debit) receipts
    int cancelledCoupons = 0;
    int cancelledNonFiscal = 0;
    int ownerSubstitutions = 0;
    int passengerTickets = 0;
    int lastItem = 0;  // number of the last item registered
    bool operator==(const Counters&) const = default;
};

// The day's totalizers besides the per-rate ones; all cleared by the Z reduction.
struct DayTotals {
    Money icmsExempt = 0;
    Money icmsNonIncidence = 0;
    Money icmsSubstitution = 0;
    Money issExempt = 0;
    Money issNonIncidence = 0;
    Money issSubstitution = 0;
    Money icmsDiscounts = 0;
    Money issDiscounts = 0;
    Money icmsSurcharges = 0;
    Money issSurcharges = 0;
    Money icmsCancellations = 0;
    Money issCancellations = 0;
    Money withdrawals = 0;  // sangria
    Money supplies = 0;     // suprimento
    // The journal printer's non-fiscal receipts: what their discounts, surcharges and
    // cancellations took from or added to the non-fiscal totalizers.
    Money nonFiscalDiscounts = 0;
    Money nonFiscalSurcharges = 0;
    Money nonFiscalCancellations = 0;
    bool operator==(const DayTotals&) const = default;
};

enum class DocumentState {
    None,
    Coupon,            // fiscal coupon open, items being registered
    CouponPayment,     // closing started: payments being taken
    NonFiscalReceipt,  // receipt of operations not subject to ICMS
    ManagementReport,
    BoundReceipt,  // receipt bound to a coupon's payment
    // The journal printer's stages after the items: the subtotal taken (items closed, its
    // surcharge or discount being given, then the total), and the receipt's payments.
    CouponSubtotal,
    ReceiptSubtotal,
    ReceiptPayment,
    CreditNote,  // open until the closing message
};

// One record of the fiscal memory, written by a Z reduction.
struct Reduction {
    int crz = 0;
    int coo = 0;
    int gnf = 0;
    Money grandTotal = 0;
    DateTime madeAt;
    CivilDate movementDate;
    bool automatic = false;      // made by the printer itself at the day's change
    std::vector<TaxRate> rates;  // the programmed rates with the day's totals
    DayTotals totals;
    std::array<Money, kNonFiscalSlots> nonFiscalTotals{};
    std::array<int, kNonFiscalSlots> nonFiscalCounts{};
    bool operator==(const Reduction&) const = default;
};

// What bound receipts have covered of the last coupon's payments, per payment form. It counts for
// the coupon `coo` only: a later coupon starts from nothing.
struct BoundReceipts {
    int coo = 0;
    std::array<Money, kPaymentFormSlots> covered{};
    bool operator==(const BoundReceipts&) const = default;
};

enum class PaperState { Ok, NearEnd, Out };

// The print mechanism's barcode look, kept until changed: bar height in dots, module-width code,
// human-readable text position (0 none, 1 above, 2 below, 3 both), its font, left margin in dots.
struct MechanismLook {
    int height = 162;
    int width = 3;
    int position = 2;
    int font = 0;
    int margin = 0;
    bool operator==(const MechanismLook&) const = default;
};

struct FiscalModel {
    // The machine.
    bool electronicJournal = false;  // MFD model: commands start with FS, replies carry ST3
    int printerType = 1;             // feature combination 1-8 of the type table
    std::string serialNumber = "QM0000000001";
    std::array<int, 3> firmware{1, 0, 0};
    MechanismLook mechanismLook;

    // The owner.
    std::string cnpj = "11.222.333/0001-81";
    std::string stateRegistration = "111.222.333.444";
    std::string municipalRegistration;
    std::string cliche = "QUELMAR COMERCIO LTDA";
    int storeNumber = 1;
    int registerNumber = 1;

    // Settings.
    std::string currencySymbol = "R$";
    bool truncation = false;  // item totals truncated instead of rounded
    bool daylightSaving = false;
    int operationMode = 1;
    int epromConnected = 1;
    int fiscalMemoryCapacity = 1825;        // reductions the fiscal memory holds
    std::string currencySingular = "Real";  // the cheque's amount in words
    std::string currencyPlural = "Reais";
    std::string authenticationCharacter;  // 18 bytes, one a column of dots; empty: none programmed
    int needleImpact = 2;                 // 1 (light) to 3 (strong)
    int linesAfterDocument = 0;           // blank lines fed after each document
    int lineSpacing = 0;

    // Programmed tables; rate slot n and payment form n are element n - 1.
    std::vector<TaxRate> taxRates;
    std::vector<PaymentForm> paymentForms{{"Dinheiro"}};
    std::array<NonFiscalTotalizer, kNonFiscalSlots> nonFiscalTotalizers{};
    std::array<Department, kDepartmentSlots> departments{};

    // Counters and totals.
    Counters counters;
    Money grandTotal = 0;
    DayTotals day;
    Money lastCouponPaid = 0;
    bool lastCouponCancellable = false;
    std::optional<CivilDate> movementDate;  // date of the day's first document, until the Z
    DocumentState document = DocumentState::None;
    SaleCoupon coupon;  // the coupon being sold, or the last one
    std::vector<Reduction> reductions;

    // The documents that follow a coupon: the COO of the last fiscal coupon (set when it closes;
    // on the journal printer also by a non-fiscal receipt), whose payments bound receipts refer
    // to, and what they have covered of them.
    int lastCouponCoo = 0;
    BoundReceipts bound;

    // The journal printer's own documents: the non-fiscal receipt being issued (or the last one),
    // the management reports, the last bound receipt, and the journal of every document.
    SaleCoupon receipt;
    std::array<ManagementReport, kManagementReports> reports{{{"GERAL"}}};
    LastBoundReceipt lastBound;
    std::vector<JournalEntry> journal;
    // A long command (the Z reduction on the electronic-journal model) keeps ST3 at "still
    // executing" until this moment of the line's clock, in milliseconds. Not kept in the model
    // file: a printer that is switched on again starts idle.
    std::optional<std::uint32_t> busyUntil;
    // While a long print runs (a table's whole order), the ready line stays low until this moment
    // of the line's clock. Not kept in the model file either.
    std::optional<std::uint32_t> printingUntil;

    // The restaurant firmware's tables, orders and menu (firmware 03.20).
    RestaurantFloor restaurant;

    // Clock and time counters.
    PrinterClock clock;
    int minutesOn = 0;
    int minutesPrinting = 0;

    // Sensors and device conditions.
    PaperState paper = PaperState::Ok;
    int linesSinceNearEnd = 0;
    bool drawerOpen = false;
    std::uint8_t chequeSensor = 0;  // the document in the slip: present, aligned, under the head
    // A cheque sent while the slip was empty waits there for a document. Not kept in the model
    // file: a printer switched on again has forgotten it.
    std::optional<Cheque> waitingCheque;
    bool clockError = false;
    bool printerError = false;
    bool ramError = false;
    std::uint16_t journalStatus = 0;  // ST3

    // The electronic journal's memory and the journal printer's switches.
    std::string ownerState = "SP";                 // the owner's federal unit (UF)
    std::string journalSerial = "QMMFD000000001";  // serial number of the journal memory
    int journalCapacity = 1048576;                 // bytes the journal memory holds
    std::string chequeLine;  // magnetic line of the cheque in the slip (36); empty: none comes
    bool cutNext = true;     // the paper is cut after the next document
    bool onOffLineHandling = false;
    bool leftAlignment = false;
    bool oneLineSale = false;
    // A machine set up for training: its readings carry the training mark.
    bool trainingMode = false;

    bool operator==(const FiscalModel&) const = default;
};

struct StatusBytes {
    std::uint8_t st1 = 0;
    std::uint8_t st2 = 0;
};

// The status bits every reply carries while the condition lasts (paper, clock, memory, ...).
StatusBytes standingStatus(const FiscalModel& model);

std::uint8_t fiscalFlags(const FiscalModel& model);
bool fiscalMemoryFull(const FiscalModel& model);
bool couponOpen(const FiscalModel& model);
// A non-fiscal receipt of the journal printer is being issued.
bool receiptOpen(const FiscalModel& model);

}  // namespace quelfi::sim
