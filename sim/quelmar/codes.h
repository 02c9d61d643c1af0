// The byte values of the Quelmar printer's serial protocol: frame bytes, command bytes, status
// bits and flag bits. Shared by the virtual printer and by the tests that talk to it, so both sides
// name every byte the same way.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quelfi::sim::codes {

// Frame and reply bytes.
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;

// Command prefixes: ESC on printers without electronic journal, FS on those with one.
inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kFs = 0x1C;

// The longest command a frame may carry: the length field (command bytes + 2) stays below 32768.
inline constexpr std::size_t kMaxCommandBytes = 32765;

// Command bytes (the byte after the prefix).
inline constexpr std::uint8_t kStatusRequest = 0x13;
inline constexpr std::uint8_t kInformationRead = '#';
inline constexpr std::uint8_t kCouponNumber = 0x1E;
inline constexpr std::uint8_t kTaxRates = 0x1A;
inline constexpr std::uint8_t kPartialTotals = 0x1B;
inline constexpr std::uint8_t kOpenDrawer = 0x16;
inline constexpr std::uint8_t kDrawerStatus = 0x17;
inline constexpr std::uint8_t kExtended = '>';  // followed by a selector character

// The sale cycle.
inline constexpr std::uint8_t kOpenCoupon = 0x00;
inline constexpr std::uint8_t kSellItem = 0x09;
inline constexpr std::uint8_t kSellItemThreeDecimals = '8';  // same fields as kSellItem
inline constexpr std::uint8_t kSellDepartmentItem = '?';
inline constexpr std::uint8_t kCancelLastItem = 0x0D;
inline constexpr std::uint8_t kCancelCoupon = 0x0E;
inline constexpr std::uint8_t kCancelItem = 0x1F;
inline constexpr std::uint8_t kSubtotal = 0x1D;
inline constexpr std::uint8_t kStartClosing = ' ';
inline constexpr std::uint8_t kPaymentFormIndex = 'G';
inline constexpr std::uint8_t kPayment = 'H';
inline constexpr std::uint8_t kPaymentByName = '!';
inline constexpr std::uint8_t kPaymentReversal = 'J';
inline constexpr std::uint8_t kEndClosing = '"';

// Printer programming.
inline constexpr std::uint8_t kProgramTaxRate = 0x07;
inline constexpr std::uint8_t kNameTotalizer = '(';
inline constexpr std::uint8_t kNameDepartment = 'A';
inline constexpr std::uint8_t kProgramCurrencySymbol = 0x01;
inline constexpr std::uint8_t kProgramCurrencySingular = ':';
inline constexpr std::uint8_t kProgramCurrencyPlural = ';';
inline constexpr std::uint8_t kProgramRounding = '\'';  // followed by kRound or kTruncate
inline constexpr std::uint8_t kRound = 0x01;
inline constexpr std::uint8_t kTruncate = 0x02;
inline constexpr std::uint8_t kToggleDaylightSaving = 0x12;
inline constexpr std::uint8_t kLinesAfterDocument = '=';
inline constexpr std::uint8_t kLineSpacing = '<';
inline constexpr std::uint8_t kResetPrinter = 'F';
inline constexpr std::uint8_t kNeedleImpact = '|';
inline constexpr std::uint8_t kProgramAuthentication = '@';

// The cheque station and the documents put in it.
inline constexpr std::uint8_t kPrintCheque = '9';
inline constexpr std::uint8_t kAuthenticate = 0x10;

// The passenger ticket: kPassengerTicket and a selector.
inline constexpr std::uint8_t kPassengerTicket = '%';
inline constexpr std::uint8_t kOpenTicket = '0';

// Selectors after kExtended.
inline constexpr std::uint8_t kChequeStatus = '0';
inline constexpr std::uint8_t kCancelCheque = '1';
inline constexpr std::uint8_t kPaperMonitor = '6';
inline constexpr std::uint8_t kLastReduction = '7';
inline constexpr std::uint8_t kUnitOfMeasure = '3';
inline constexpr std::uint8_t kExtendedDescription = '4';

// Index bytes of the information-read command.
namespace info {
inline constexpr std::uint8_t kSerialNumber = 0;
inline constexpr std::uint8_t kFirmwareVersion = 1;
inline constexpr std::uint8_t kOwnerCnpjIe = 2;
inline constexpr std::uint8_t kGrandTotal = 3;
inline constexpr std::uint8_t kCancellations = 4;
inline constexpr std::uint8_t kDiscounts = 5;
inline constexpr std::uint8_t kNonFiscalOperations = 7;
inline constexpr std::uint8_t kCancelledCoupons = 8;
inline constexpr std::uint8_t kReductions = 9;
inline constexpr std::uint8_t kInterventions = 10;
inline constexpr std::uint8_t kOwnerSubstitutions = 11;
inline constexpr std::uint8_t kLastItemNumber = 12;
inline constexpr std::uint8_t kOwnerCliche = 13;
inline constexpr std::uint8_t kRegisterNumber = 14;
inline constexpr std::uint8_t kStoreNumber = 15;
inline constexpr std::uint8_t kCurrencySymbol = 16;
inline constexpr std::uint8_t kFiscalFlags = 17;
inline constexpr std::uint8_t kMinutesOn = 18;
inline constexpr std::uint8_t kMinutesPrinting = 19;
inline constexpr std::uint8_t kOperationMode = 20;
inline constexpr std::uint8_t kEpromConnected = 21;
inline constexpr std::uint8_t kLastCouponPaid = 22;
inline constexpr std::uint8_t kClock = 23;
inline constexpr std::uint8_t kNonFiscalCounters = 24;
inline constexpr std::uint8_t kNonFiscalNames = 25;
inline constexpr std::uint8_t kLastReductionTime = 26;
inline constexpr std::uint8_t kMovementDate = 27;
inline constexpr std::uint8_t kTruncation = 28;
inline constexpr std::uint8_t kIssRates = 29;
inline constexpr std::uint8_t kSurcharges = 30;
inline constexpr std::uint8_t kPassengerTickets = 31;
inline constexpr std::uint8_t kPaymentFormTable = 32;
inline constexpr std::uint8_t kNonFiscalTable = 33;
inline constexpr std::uint8_t kDepartmentTable = 34;
inline constexpr std::uint8_t kFabricationNumber = 0x28;
inline constexpr std::uint8_t kPrinterType = 0xFD;
inline constexpr std::uint8_t kReceiptSubtotal = 'B';  // the journal printer's receipt in progress
}  // namespace info

// The day's documents.
inline constexpr std::uint8_t kReadingX = 0x06;
inline constexpr std::uint8_t kReductionZ = 0x05;
inline constexpr std::uint8_t kFiscalMemoryReading = 0x08;
inline constexpr std::uint8_t kNonFiscalReceipt = 0x19;  // totalizer 01-50, withdrawal, supply

// The electronic-journal model's documents. The coupon: item and subtotal surcharges and
// discounts, the total, payments in instalments, the additional coupon and the cliché.
inline constexpr std::uint8_t kItemAdjustment = ']';
inline constexpr std::uint8_t kCancelItemAdjustment = 'r';
inline constexpr std::uint8_t kSubtotalize = 'g';
inline constexpr std::uint8_t kSubtotalAdjustment = 'h';
inline constexpr std::uint8_t kCancelSubtotalAdjustment = 'i';
inline constexpr std::uint8_t kTotalize = 'j';
inline constexpr std::uint8_t kInstalmentPayment = 'Z';
inline constexpr std::uint8_t kAdditionalCoupon = 'U';
inline constexpr std::uint8_t kPrintCliche = 'w';
// The non-fiscal receipt, from its opening to its cancellation.
inline constexpr std::uint8_t kOpenReceipt = 'M';
inline constexpr std::uint8_t kReceiptItem = 'N';
inline constexpr std::uint8_t kCancelReceiptItem = 't';
inline constexpr std::uint8_t kReceiptItemAdjustment = 'u';
inline constexpr std::uint8_t kCancelReceiptItemAdjustment = 'v';
inline constexpr std::uint8_t kReceiptSubtotalize = 'k';
inline constexpr std::uint8_t kReceiptSubtotalAdjustment = 'l';
inline constexpr std::uint8_t kCancelReceiptSubtotalAdjustment = 'm';
inline constexpr std::uint8_t kReceiptTotalize = 'n';
inline constexpr std::uint8_t kReceiptStartClosing = 'O';
inline constexpr std::uint8_t kCancelReceipt = 'Q';
// Management reports, and the free-text documents' text and closing.
inline constexpr std::uint8_t kNameReport = 'R';
inline constexpr std::uint8_t kOpenReport = 'S';
inline constexpr std::uint8_t kReportText = 0x14;
inline constexpr std::uint8_t kDocumentText = 'C';
inline constexpr std::uint8_t kCloseDocument = 0x15;
// The bound receipt and what may follow it.
inline constexpr std::uint8_t kOpenBoundReceipt = 'B';
inline constexpr std::uint8_t kReprintBoundReceipt = '\\';
inline constexpr std::uint8_t kBoundReceiptCopy = '[';
inline constexpr std::uint8_t kReverseBoundReceipt = 'f';
// The credit note, ended by the coupon's closing message.
inline constexpr std::uint8_t kOpenCreditNote = 'Y';
// A text printed on the cheque in the slip, front or back.
inline constexpr std::uint8_t kChequeText = 'x';
// The journal printer's cheque, with its back-printing settings before the cheque's fields.
inline constexpr std::uint8_t kJournalCheque = '^';
// The journal download: the fiscal memory, or the journal whole, by date or by COO.
inline constexpr std::uint8_t kDownloadFiscalMemory = 'b';
inline constexpr std::uint8_t kDownloadJournal = 'a';
inline constexpr char kJournalWhole = 'F';
inline constexpr char kJournalByDate = 'D';
inline constexpr char kJournalByCoo = 'C';

// ST1 bits.
inline constexpr std::uint8_t kSt1OutOfPaper = 128;
inline constexpr std::uint8_t kSt1PaperNearEnd = 64;
inline constexpr std::uint8_t kSt1ClockError = 32;
inline constexpr std::uint8_t kSt1PrinterError = 16;
inline constexpr std::uint8_t kSt1BadPrefix = 8;
inline constexpr std::uint8_t kSt1UnknownCommand = 4;
inline constexpr std::uint8_t kSt1CouponOpen = 2;
inline constexpr std::uint8_t kSt1WrongParameterCount = 1;

// ST2 bits.
inline constexpr std::uint8_t kSt2InvalidParameter = 128;
inline constexpr std::uint8_t kSt2FiscalMemoryFull = 64;
inline constexpr std::uint8_t kSt2RamError = 32;
inline constexpr std::uint8_t kSt2RateNotProgrammed = 16;
inline constexpr std::uint8_t kSt2RateTableFull = 8;
inline constexpr std::uint8_t kSt2CancellationNotAllowed = 4;
inline constexpr std::uint8_t kSt2OwnerNotProgrammed = 2;
inline constexpr std::uint8_t kSt2NotExecuted = 1;

// ST3 values of electronic-journal printers.
inline constexpr std::uint16_t kSt3Ready = 0;
inline constexpr std::uint16_t kSt3StillExecuting = 9;
inline constexpr std::uint16_t kSt3TooManyLines = 130;  // a text longer than the cheque takes
inline constexpr std::uint16_t kSt3NoCheque = 189;      // no document in the slip

// The fiscal flags byte.
inline constexpr std::uint8_t kFlagCouponOpen = 1;
inline constexpr std::uint8_t kFlagClosingStarted = 2;
inline constexpr std::uint8_t kFlagDaylightSaving = 4;
inline constexpr std::uint8_t kFlagReductionDoneToday = 8;
inline constexpr std::uint8_t kFlagCancellationAllowed = 32;
inline constexpr std::uint8_t kFlagFiscalMemoryFull = 128;

// Drawer sensor byte.
inline constexpr std::uint8_t kDrawerOpen = 255;
inline constexpr std::uint8_t kDrawerClosed = 0;

// Cheque sensor bits.
inline constexpr std::uint8_t kChequeDocumentPresent = 4;
inline constexpr std::uint8_t kChequeMechanismBusy = 8;
inline constexpr std::uint8_t kChequeDocumentAligned = 32;
inline constexpr std::uint8_t kChequeUnderHead = 64;

// The print mechanism's sequences, passed through the text of kDocumentText and after the
// closing message of kEndClosing.
namespace mechanism {
inline constexpr std::uint8_t kGs = 0x1D;
inline constexpr std::uint8_t kBarHeight = 'h';
inline constexpr std::uint8_t kModuleWidth = 'w';
inline constexpr std::uint8_t kTextPosition = 'H';
inline constexpr std::uint8_t kTextFont = 'f';
inline constexpr std::uint8_t kPrintBarcode = 'k';  // followed by the symbology byte
inline constexpr std::uint8_t kLeftMargin = 0x84;   // a "symbology" that sets the margin
inline constexpr std::uint8_t kPdf417 = 0x80;
inline constexpr std::uint8_t kCode93 = 'H';
inline constexpr std::uint8_t kCode128 = 'I';
inline constexpr std::uint8_t kUpcA = 0;
inline constexpr std::uint8_t kUpcE = 1;
inline constexpr std::uint8_t kEan8 = 3;
inline constexpr std::uint8_t kCode39 = 4;
inline constexpr std::uint8_t kItf = 5;
inline constexpr std::uint8_t kCodabar = 6;
inline constexpr std::uint8_t kIsbn = 21;
inline constexpr std::uint8_t kMsi = 22;
inline constexpr std::uint8_t kPlessey = 23;
// ESC "|" "0": EAN-13 with its own height, width digit and text-position digit.
inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kEan13First = '|';
inline constexpr std::uint8_t kEan13Second = '0';
}  // namespace mechanism

}  // namespace quelfi::sim::codes
