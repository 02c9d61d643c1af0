#include "fiscal/cheque_fields.h"

#include <algorithm>
#include <cstdio>

#include "fiscal/argument_format.h"

namespace quelfi::fiscal {
namespace {

constexpr std::size_t kValueDigits = 4;
constexpr std::size_t kMappedValues = 8;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kPayeeWidth = 45;
constexpr std::size_t kCityWidth = 27;

// The leading digits of at most four characters, as a number ("12x" is 12, "x" is 0).
int layoutValue(std::string_view field) {
    int value = 0;
    for (char c : field.substr(0, kValueDigits)) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

ChequeLayout chequeLayout(std::string_view entry) {
    ChequeLayout layout{};
    for (std::size_t i = 0; i < kChequeLayoutValues && !entry.empty(); ++i) {
        const std::size_t end = entry.find(';');
        layout[i] = layoutValue(entry.substr(0, end));
        entry.remove_prefix(end == std::string_view::npos ? entry.size() : end + 1);
    }
    return layout;
}

std::string chequeLayoutBytes(const ChequeLayout& layout, int printerType) {
    std::string bytes;
    for (std::size_t i = 0; i < kChequeLayoutValues; ++i) {
        int value = layout[i];
        if (printerType != 0 && i < kMappedValues) value = value < 8 ? 1 : std::min(value - 7, 64);
        bytes += static_cast<char>(value & 0xFF);
    }
    return bytes;
}

int fullYear(int twoDigitYear) {
    return twoDigitYear >= 53 ? 1900 + twoDigitYear : 2000 + twoDigitYear;
}

std::string chequeDate(std::string_view digits) {
    const std::string dayMonth(digits.substr(0, 4));
    if (digits.size() != 6) return dayMonth + std::string(digits.substr(4));
    return dayMonth + std::to_string(fullYear((digits[4] - '0') * 10 + (digits[5] - '0')));
}

std::string chequeDate(int day, int month, int year) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", day % 100, month % 100,
                  fullYear(((year % 100) + 100) % 100));
    return text;
}

std::string chequeFields(const ChequeText& cheque) {
    return zeroFill(cheque.amount, kAmountWidth) + blankFill(cheque.payee, kPayeeWidth) +
           padText(cheque.city, kCityWidth, " ", 'E') + cheque.date + cheque.layoutBytes +
           cheque.message;
}

}  // namespace quelfi::fiscal
