// Where the Yanco printer's answers keep what the library reads, beyond the positions of the
// frame itself (yanco_transport.h). The status and configuration answers carry their data from
// position 8, without a status number.
#pragma once

#include <cstddef>
#include <string_view>

namespace quelfi::yanco::layout {

// --- The status answer, "25": fields each followed by a backslash ------------------------------
inline constexpr char kFieldSeparator = '\\';
inline constexpr std::size_t kMechanismErrorAt = 8;     // '0': no error
inline constexpr std::size_t kFiscalMemoryFullAt = 12;  // '0': no error
inline constexpr std::size_t kDrawerAt = 14;            // '0': the drawer is open
inline constexpr std::size_t kPaperOutAt = 16;          // '1': out of paper
inline constexpr std::size_t kStateAt = 18;             // the state number, to the next backslash
inline constexpr std::size_t kNearEndAfterField = 12;   // the flag after the twelfth backslash
// Fields counted from 0 at position 8.
inline constexpr std::size_t kDaylightSavingField = 1;    // '1': summer time
inline constexpr std::size_t kMovementDateField = 7;      // DDMMYY, "000000" with no day open
inline constexpr std::size_t kLastReductionField = 8;     // DDMMYY of the last reduction
inline constexpr std::size_t kLastCouponCancellable = 9;  // '1': "1E" would cancel it
// The state numbers of no document in progress: the day open, no day, a reduction due.
inline constexpr int kIdleStates[] = {1, 20, 40};
// States of a coupon in progress: items, then from the subtotal on.
inline constexpr int kCouponStates[] = {2, 3, 4, 5};
inline constexpr int kClosingStates[] = {3, 4, 5};

// --- The configuration answer, "2E" -------------------------------------------------------------
inline constexpr std::size_t kRatesAt = 8;
inline constexpr std::size_t kRateWidth = 5;  // four digits and the tax mark
inline constexpr std::size_t kRates = 13;
inline constexpr char kIssMark = 'S';
inline constexpr std::size_t kPaymentFormsAt = 105;
inline constexpr std::size_t kPaymentFormWidth = 15;
inline constexpr std::size_t kPaymentForms = 30;
inline constexpr std::size_t kFirmwareAt = 95;
inline constexpr std::size_t kFirmwareWidth = 2;
inline constexpr std::size_t kDaylightSavingAt = 746;  // 'V' or 'v' in summer time

// --- Registers: "34" and three digits, the value from position 10 ------------------------------
inline constexpr int kSlotSales = 14;  // 13 rate slots, then F, I, N (27, 28, 29)
inline constexpr int kSubstitutionSales = 27;
inline constexpr int kNonFiscalTotals = 30;  // nine totalizers; 2 withdrawals, 3 supplies
inline constexpr int kWithdrawals = 31;
inline constexpr int kPaymentFormTotals = 40;  // thirty forms, the day's amount
inline constexpr int kNonFiscalCounts = 80;    // the nine totalizers' counts
inline constexpr int kGrandTotal = 1;
inline constexpr int kNonFiscalTotalizers = 9;
inline constexpr std::string_view kDate = "34071";  // DD/MM/YY
inline constexpr std::string_view kTime = "34070";  // HH:MM:SS

// The non-fiscal totalizers the firmware names itself, in the order of their numbers.
inline constexpr std::string_view kFixedTotalizers[] = {"GAVETA", "SANGRIA", "RECEBIMENTO",
                                                        "CONTRA-VALE"};

}  // namespace quelfi::yanco::layout
