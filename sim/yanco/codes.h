// The Yanco printer's serial protocol as the virtual printer knows it: frame bytes, command
// texts (a two-character code, with the selector that some codes take) and the status numbers it
// answers. Shared by the virtual printer and by the tests that talk to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quelfi::sim::yanco::codes {

// Frame bytes.
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kDc4 = 0x14;  // first byte of every reply frame
inline constexpr std::uint8_t kNak = 0x15;  // the whole answer to a frame the printer cannot take

// STX, the four digits of the sequence number; the command follows.
inline constexpr std::size_t kFrameHeader = 5;
// A command longer than this never ends: the frame is refused.
inline constexpr std::size_t kMaxCommandBytes = 1024;

// Commands, by the text they start with.
inline constexpr std::string_view kDaylightSavingOff = "080";
inline constexpr std::string_view kDaylightSavingOn = "081";
inline constexpr std::string_view kNameTotalizer = "10";  // index 5-8, name in 15
inline constexpr std::string_view kOpenDay = "121";
inline constexpr std::string_view kOpenCoupon = "130";
inline constexpr std::string_view kOpenBoundReceipt = "131";
inline constexpr std::string_view kSellItem = "14";
inline constexpr std::string_view kPayment = "15";
inline constexpr std::string_view kEndDocument = "16";  // the coupon or the bound receipt
inline constexpr std::string_view kItemAdjustment = "18";
inline constexpr std::string_view kCancelLastItem = "1A";
inline constexpr std::string_view kSubtotalAdjustment = "1B";
inline constexpr std::string_view kCancelOpenCoupon = "1D";
inline constexpr std::string_view kCancelLastCoupon = "1E";
inline constexpr std::string_view kReduction = "221";
inline constexpr std::string_view kOpenReport = "240";
inline constexpr std::string_view kXReading = "241";
inline constexpr std::string_view kStatus = "25";
inline constexpr std::string_view kOpenDrawer = "26";
inline constexpr std::string_view kFiscalMemoryReading = "28";
inline constexpr std::string_view kNonFiscalReceipt = "29";
inline constexpr std::string_view kReportLine = "2A0";
inline constexpr std::string_view kBoundReceiptLine = "2B0";
inline constexpr std::string_view kCloseReport = "2C";
inline constexpr std::string_view kFiscalMemoryToLine = "2D0";
inline constexpr std::string_view kConfiguration = "2E";
inline constexpr std::string_view kXReadingToLine = "2F";
inline constexpr std::string_view kAuthenticate = "30";
inline constexpr std::string_view kReadRegister = "34";
inline constexpr std::string_view kCancelItem = "35";
inline constexpr std::string_view kPrintCheque = "36";

// Item-adjustment and subtotal-adjustment kinds (the command's last character).
inline constexpr char kValueDiscount = '0';
inline constexpr char kPercentDiscount = '1';
inline constexpr char kValueSurcharge = '2';
inline constexpr char kPercentSurcharge = '3';

// Status numbers, at positions 8-9 of a reply.
inline constexpr int kDone = 0;
inline constexpr int kOutOfOrder = 9;  // not allowed in the printer's present state
inline constexpr int kOutOfPaper = 10;
inline constexpr int kWrongLength = 16;  // a command of a length its code never has
inline constexpr int kUnknownCommand = 17;
inline constexpr int kPrinterError = 18;  // the mechanism failed; nothing printed
inline constexpr int kFiscalMemoryFull = 19;
inline constexpr int kBadField = 20;
inline constexpr int kRateNotProgrammed = 34;
inline constexpr int kPaperNearEnd = 62;  // no new document until the roll is changed
inline constexpr int kCancelRefused = 70;

}  // namespace quelfi::sim::yanco::codes
