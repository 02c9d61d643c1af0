// The cheque command's fields: the bank's layout from its "Formato" entry, the date with its year
// widened to four digits, and the fixed-width text the printer takes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quelfi::fiscal {

inline constexpr std::size_t kChequeLayoutValues = 13;
using ChequeLayout = std::array<int, kChequeLayoutValues>;

// The layout values of a "Formato" entry "n;n;...": each value is the text up to the next ';'
// read as a number from its first four characters; values the entry lacks are 0.
ChequeLayout chequeLayout(std::string_view entry);

// One byte per value: as read on the printers of type 0; on the others the first eight values
// (positions on their slip) are mapped, below 8 to 1 and otherwise less 7, at most 64.
std::string chequeLayoutBytes(const ChequeLayout& layout, int printerType);

// A two-digit year in four: 53 to 99 are 1953 to 1999, 00 to 52 are 2000 to 2052.
int fullYear(int twoDigitYear);

// DDMMAAAA from a checked date of six (DDMMAA) or eight digits.
std::string chequeDate(std::string_view digits);

// DDMMAAAA of a calendar day, the year widened from its last two digits as above.
std::string chequeDate(int day, int month, int year);

struct ChequeText {
    std::string amount;  // digits, at most 14
    std::string payee;   // code page 850, at most 45
    std::string city;    // code page 850, at most 27
    std::string date;    // DDMMAAAA
    std::string layoutBytes;
    std::string message;  // code page 850
};

// The fields after the command byte: amount zero-filled to 14, payee left-aligned in 45, city
// right-aligned in 27, the date, the layout bytes and the message.
std::string chequeFields(const ChequeText& cheque);

}  // namespace quelfi::fiscal
