// What the restaurant firmware's commands leave open, fixed once for the library and the virtual
// printer alike: the report types of the open-tables report, the reply to the free-memory query,
// and the text the printer streams back for the serial reports and the menu. Data only and no
// dependencies, so that the virtual printer may share this header for these layouts and nothing
// else: the commands themselves each side keeps on its own, so the printer stays an independent
// check of the library.
#pragma once

#include <cstddef>
#include <string_view>

namespace quelfi::restaurant::layouts {

// --- The open-tables report ("P6" + the type in decimal) ---------------------------------------
inline constexpr int kSummaryReport = 0;  // one line per open table: its number and total
inline constexpr int kItemsReport = 1;    // the same, each table followed by its registrations

// --- The free memory ("P8") ---------------------------------------------------------------------
//
// The reply carries, between ACK and the status bytes, the registrations the table memory still
// takes, as this many ASCII digits ("0487").
inline constexpr std::size_t kFreeMemoryDigits = 4;

// --- Streamed answers ("P<", "P=", "P>") --------------------------------------------------------
//
// ACK, ST1, ST2 (and ST3 on electronic-journal printers), then the text, then ETX. The text is
// lines of fixed-width fields, each line ended by kLineEnd; numbers zero-filled on the left, texts
// blank-filled on the right (in the printer's code page 850). A refused command sends no text.
//
// "P<" (the open tables) and "P>" + table (one table's registrations): for each open table, in
// the order of their numbers, a table line followed by one line per registration it holds.
//   table line:        kTableMark, number (kTableDigits), registrations (kCountDigits),
//                      total in centavos (kTotalDigits)
//   registration line: code (kCodeWidth), description (kDescriptionWidth), rate code
//                      (kRateWidth), quantity in thousandths (kQuantityDigits), unit price in
//                      centavos (kPriceDigits), 'A' (surcharge) or 'D' (discount), its value in
//                      centavos (kAdjustmentDigits), the registration's value in centavos
//                      (kTotalDigits)
// "P=" (the menu): one line per dish: code, description, rate code, price (the widths above).
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kTableMark = "MESA";
inline constexpr std::size_t kTableDigits = 4;
inline constexpr std::size_t kCountDigits = 3;
inline constexpr std::size_t kTotalDigits = 12;
inline constexpr std::size_t kCodeWidth = 14;
inline constexpr std::size_t kDescriptionWidth = 17;
inline constexpr std::size_t kRateWidth = 2;
inline constexpr std::size_t kQuantityDigits = 9;
inline constexpr std::size_t kPriceDigits = 8;
inline constexpr std::size_t kAdjustmentDigits = 8;

}  // namespace quelfi::restaurant::layouts
