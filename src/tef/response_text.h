// What the library reads in the manager's response file, from its text alone: the first lines,
// the transaction status, the voucher lines, the operator message and the fields a confirmation
// sends back. The manager's file is outside data: any text is read within bounds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quelfi::tef {

struct ResponseText {
    std::vector<std::string> lines;

    explicit ResponseText(std::string_view text);

    // The value of line `index` (0-based) from column 10; "" when the file is shorter.
    std::string lineValue(std::size_t index) const;
    // The operation answered (first line) and the identification (second line) as a number.
    std::string operation() const { return lineValue(0); }
    long long identification() const;

    // The first character of the first "009" after the first two lines; "" when there is none.
    std::string status() const;
    // The value of the first line of `field` from line `from` on, or "" when there is none.
    std::string fieldValue(std::string_view field, std::size_t from = 0) const;
    // The value of the last line of `field`, or "" when there is none.
    std::string lastFieldValue(std::string_view field) const;
    // The voucher: the "028" count after the first two lines ("0" when missing), and the lines
    // that follow it, as many as the count says and the file has, each from column 11 (after the
    // value's opening quote).
    std::string voucherCount() const;
    std::vector<std::string> voucherLines() const;
};

// The manager's messages that say the operator or the manager gave up on the transaction, and
// the one that says it was done before.
bool saysCancelled(std::string_view message);
bool saysAlreadyDone(std::string_view message);

// A voucher line as printed: without its line end and closing quote; a blank for an empty one.
std::string printedLine(std::string_view line);

}  // namespace quelfi::tef
