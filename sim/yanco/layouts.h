// The layouts of the Yanco printer's answers that its protocol description leaves open, as the
// virtual Yanco printer gives them. Data only and no dependencies, so that the library's Yanco
// adapter may share this header for these layouts, and for nothing else: everything the
// description fixes each side keeps on its own, so the printer stays an independent check.
//
// Positions count from 0 in the reply frame as the host stores it: DC4 at 0, the sequence number
// at 1-4, the continuation mark at 5, the command's code at 6-7, then (except "25" and "2E") the
// two-digit status at 8-9 and the data from 10, ETX, and the sum of every byte from DC4 to ETX as
// two bytes, high byte first.
#pragma once

#include <cstddef>
#include <string_view>

namespace quelfi::yanco {

// --- Every reply frame -------------------------------------------------------------------------
//
// A command refused answers one frame with its status at 8-9 and no data, "25" and "2E" included.

inline constexpr std::size_t kMarkAt = 5;
inline constexpr char kLastFrame = '0';   // the only frame of an answer, or its last one
inline constexpr char kMoreFrames = '1';  // another frame of the same answer follows

// --- Answers in several frames: "2F" (the X reading) and "2D0" (the fiscal memory) -------------
//
// One line of text a frame, ended by LF, the last frame marked kLastFrame. "2F" frames carry the
// status "00" at 8-9 and the line from 10; "2D" frames carry the line from 8. A command refused
// answers one frame only, marked kLastFrame, with its status at 8-9 and no LF.
inline constexpr char kLineEnd = '\n';
inline constexpr std::size_t kXReadingLineAt = 10;
inline constexpr std::size_t kFiscalMemoryLineAt = 8;

// Lines are 42 columns. A value line has its label at the left and its value at the right
// margin; amounts are written in reais with a comma and two decimals ("1234,56", no thousands
// separator), counters as zero-filled digits. The X reading ("2F") is kXReadingTitle, the date,
// time and COO line, the movement line ("MOVIMENTO" and DD/MM/YYYY), then these sections in this
// order, each opened by its heading centred between dashes (on paper, "241" and "221" print the
// same lines between the document's heading and foot):
//   TOTALIZADORES            kGrandTotal, kOpeningGrandTotal, kGrossSales, kCancellations,
//                            kIcmsDiscounts, kIssDiscounts, kIcmsSurcharges, kIssSurcharges,
//                            kNetSales
//   CONTADORES               kCoo, kCcf, kGnf, kGrg, kCdc, kCrz, kCro, kCancelledCoupons
//   OPERACOES NAO FISCAIS    one line per totalizer 01-09: "NN NAME" (name in 15), then the
//                            count (4 digits) and the amount at the right margin
//   FORMAS DE PAGAMENTO      one line per programmed form: "NN NAME", the day's amount
//   SITUACOES TRIBUTARIAS    one line per ICMS rate slot: "NN T18,00%", the day's amount; then
//                            "F  SUBSTITUICAO", "I  ISENCAO", "N  NAO INCIDENCIA"
//   ISS                      one line per ISS rate slot: "NN S05,00%", the day's amount
inline constexpr std::string_view kXReadingTitle = "             L E I T U R A  X";
inline constexpr std::string_view kReductionTitle = "             R E D U C A O  Z";
inline constexpr std::string_view kTotalsHeading = "[ TOTALIZADORES ]";
inline constexpr std::string_view kCountersHeading = "[ CONTADORES ]";
inline constexpr std::string_view kNonFiscalHeading = "[ OPERACOES NAO FISCAIS ]";
inline constexpr std::string_view kPaymentFormsHeading = "[ FORMAS DE PAGAMENTO ]";
inline constexpr std::string_view kIcmsHeading = "[ SITUACOES TRIBUTARIAS ]";
inline constexpr std::string_view kIssHeading = "[ ISS ]";

inline constexpr std::string_view kGrandTotal = "GT FINAL";
inline constexpr std::string_view kOpeningGrandTotal = "GT INICIAL";
inline constexpr std::string_view kGrossSales = "VENDA BRUTA";
inline constexpr std::string_view kCancellations = "CANCELAMENTOS";
inline constexpr std::string_view kIcmsDiscounts = "DESCONTOS ICMS";
inline constexpr std::string_view kIssDiscounts = "DESCONTOS ISS";
inline constexpr std::string_view kIcmsSurcharges = "ACRESCIMOS ICMS";
inline constexpr std::string_view kIssSurcharges = "ACRESCIMOS ISS";
inline constexpr std::string_view kNetSales = "VENDA LIQUIDA";
inline constexpr std::string_view kCoo = "COO";
inline constexpr std::string_view kCcf = "CCF";
inline constexpr std::string_view kGnf = "GNF";
inline constexpr std::string_view kGrg = "GRG";
inline constexpr std::string_view kCdc = "CDC";
inline constexpr std::string_view kCrz = "CRZ";
inline constexpr std::string_view kCro = "CRO";
inline constexpr std::string_view kCancelledCoupons = "CUPONS CANCELADOS";

// The fiscal memory reading ("2D0") is kFiscalMemoryTitle, the date, time and COO line, the
// owner's "CNPJ " line, the machine's two foot lines ("YANCO ECF" and "FAB:serial", "VERSAO nn"
// and "LJ:NNNN CX:NNNN"), the kCro line, the range ("PERIODO DD/MM/YYYY A DD/MM/YYYY" or
// "REDUCOES NNNN A NNNN"), a line of dashes, then for each reduction in the range a line
// "CRZ NNNN  COO NNNNNN  DD/MM/YYYY" (its movement date) and the value lines kGrandTotal,
// kGrossSales, kNetSales, kCancellations, kIcmsDiscounts, kIssDiscounts, kIcmsSurcharges,
// kIssSurcharges, one line per programmed slot ("NN T18,00%" or "NN S05,00%") and the F, I, N
// lines of the X reading; "NENHUMA REDUCAO NO INTERVALO" when there is none. On paper ("28") the
// same lines from the range on.
inline constexpr std::string_view kFiscalMemoryTitle = "L E I T U R A  M E M O R I A  F I S C A L";

// --- Status answer "25" ------------------------------------------------------------------------
//
// Fields one after the other, each followed by a backslash; after the twelfth backslash the
// near-end flag, which ends the data. Flags are '0' or '1'.
inline constexpr char kFieldSeparator = '\\';
inline constexpr std::size_t kMechanismErrorAt = 8;     // '1': the mechanism failed
inline constexpr std::size_t kDaylightSavingAt = 10;    // '1': summer time
inline constexpr std::size_t kFiscalMemoryFullAt = 12;  // '1': no room for another reduction
inline constexpr std::size_t kDrawerAt = 14;            // '0': the drawer is open, '1': closed
inline constexpr std::size_t kPaperOutAt = 16;          // '1': out of paper
inline constexpr std::size_t kStateAt = 18;             // the state number, one or two digits
// After the state, in order: the COO (6 digits); the movement date (DDMMYY, "000000" while no
// day is open); the date of the last reduction (DDMMYY, "000000" before the first); '1' when the
// last coupon may still be cancelled ("1E"); the CRZ (4 digits); '1' when a bound receipt may be
// opened ("131"); then the near-end flag.

// The state numbers: no document open (1, 20, 40) or the document in progress.
inline constexpr int kStateIdle = 1;            // the day is open, nothing in progress
inline constexpr int kStateCoupon = 2;          // a coupon takes items
inline constexpr int kStateCouponTotalled = 3;  // subtotal discount or surcharge taken
inline constexpr int kStateCouponPayment = 4;   // payments under way
inline constexpr int kStateCouponPaid = 5;      // paid in full: waiting for "16"
inline constexpr int kStateBoundReceipt = 6;    // a bound receipt is open
inline constexpr int kStateReport = 7;          // a management report is open
inline constexpr int kStateDayClosed = 20;      // no day open: only "121" opens one
inline constexpr int kStateReductionDue = 40;   // the day's date has passed: only "221"

// --- Configuration answer "2E" -----------------------------------------------------------------
//
// The 13 rates from 8, five characters each: four digits in hundredths of a percent and the
// tax mark; a slot not programmed is five blanks. The currency symbol at 89-92 (left-aligned),
// the firmware version at 95-96, the 30 payment forms from 105 (15 characters each, blank when
// not programmed), the owner's header at 556-723 (four lines of 42), the daylight-saving mark at
// 746, which ends the data. Every other position up to 746 is a blank.
inline constexpr char kIcmsMark = 'T';
inline constexpr char kIssMark = 'S';
inline constexpr std::size_t kCurrencyAt = 89;
inline constexpr std::size_t kCurrencyWidth = 4;
inline constexpr char kSummerTime = 'V';
inline constexpr char kStandardTime = 'N';

// --- Registers: "34" and three digits ----------------------------------------------------------
//
// The answer is the register's value from 10, in its width: amounts in centavos and counters as
// zero-filled digits, texts left-aligned in blanks. An unknown register is refused with 20.
enum class RegisterKind { Amount, Counter, Text };

struct Register {
    int first;  // a run of registers, one per slot: first, first + 1, ... up to last
    int last;
    std::size_t width;
    RegisterKind kind;
    std::string_view meaning;
};

inline constexpr Register kRegisters[] = {
    {1, 1, 18, RegisterKind::Amount, "grand total (GT)"},
    {2, 2, 18, RegisterKind::Amount, "grand total at the start of the day"},
    {3, 3, 14, RegisterKind::Amount, "gross sales of the day"},
    {4, 4, 14, RegisterKind::Amount, "ICMS surcharges"},
    {5, 5, 14, RegisterKind::Amount, "ISS surcharges"},
    {6, 6, 14, RegisterKind::Amount, "ICMS discounts"},
    {7, 7, 14, RegisterKind::Amount, "ISS discounts"},
    {8, 8, 14, RegisterKind::Amount, "cancellations"},
    {9, 9, 6, RegisterKind::Counter, "non-fiscal operations (GNF)"},
    {10, 10, 4, RegisterKind::Counter, "Z reductions (CRZ)"},
    {11, 11, 4, RegisterKind::Counter, "interventions (CRO)"},
    {12, 12, 6, RegisterKind::Counter, "management reports (GRG)"},
    {13, 13, 4, RegisterKind::Counter, "cancelled coupons"},
    {14, 29, 14, RegisterKind::Amount, "sales of slot 1-13, then F, I, N"},
    {30, 38, 14, RegisterKind::Amount, "non-fiscal totalizer 1-9 (2 withdrawals, 3 supplies)"},
    {39, 39, 14, RegisterKind::Amount, "net sales of the day"},
    {40, 69, 14, RegisterKind::Amount, "payment form 1-30, the day's amount"},
    {70, 70, 8, RegisterKind::Text, "time, HH:MM:SS"},
    {71, 71, 8, RegisterKind::Text, "date, DD/MM/YY"},
    {72, 72, 14, RegisterKind::Amount, "subtotal of the coupon in progress"},
    {73, 73, 20, RegisterKind::Text, "owner's CNPJ"},
    {74, 74, 20, RegisterKind::Text, "owner's IE"},
    {75, 75, 4, RegisterKind::Counter, "store number"},
    {76, 76, 4, RegisterKind::Counter, "register number"},
    {77, 77, 6, RegisterKind::Counter, "COO"},
    {78, 78, 6, RegisterKind::Counter, "fiscal coupons (CCF)"},
    {79, 79, 10, RegisterKind::Text, "serial number"},
    {80, 88, 4, RegisterKind::Counter, "non-fiscal totalizer 1-9, its count"},
    {89, 89, 6, RegisterKind::Counter, "bound receipts (CDC)"},
};

// --- The reduction ------------------------------------------------------------------------------
//
// "221" closes the day into a record of the fiscal memory: its CRZ and COO, the moment, the
// movement date, the grand total at the day's start and at its end, and the day's totals (the
// sales of the 16 slots, discounts and surcharges for ICMS and ISS, cancellations, the nine
// non-fiscal totalizers with their counts). Then the day's totals and the payment forms' amounts
// start again from zero and the printer waits for "121". Before it, the registers give what the
// reduction will keep: the slots' sales (14-29: the 13 rates, then F, I, N), the non-fiscal
// totalizers and their counts (30-38, 80-88; withdrawals on 2, supplies on 3), the discounts,
// surcharges and cancellations (4-8), the grand totals (1, 2) and the COO (77); the movement date
// is in "25".

// --- Command fields the description leaves open ------------------------------------------------

// "121", "221", "240", "241" and "29" end with a reserved field of 13 blanks.
inline constexpr std::size_t kReservedField = 13;
// "36": the layout (45), the amount in centavos (11 digits), the payee (70), the city (20), the
// date DDMMYYYY, the currency's name in the singular (15) and in the plural (17).
inline constexpr std::size_t kChequeLength = 2 + 45 + 11 + 70 + 20 + 8 + 15 + 17;
// "28" and "2D0": the first and last date (DDMMYY), the first and last reduction (4 digits
// each), and '0' to read by date or '1' by reduction.
inline constexpr std::size_t kReadingRangeLength = 6 + 6 + 4 + 4 + 1;

}  // namespace quelfi::yanco
