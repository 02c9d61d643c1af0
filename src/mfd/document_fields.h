// The fields of the journal printer's document commands, as pure functions of the caller's
// arguments: the consumer's identification block, the surcharge/discount flag and type with the
// letter case that tells a percentage from an amount, the widths of their values, and the shapes
// of the request record and parameter line these exports share.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quelfi::mfd {

// The consumer's identification appended after a document's command byte: CPF/CNPJ (29), name
// (30) and address (80), each left-aligned and blank-filled. A missing or empty field before a
// given one is sent as blanks; nothing follows the last given field, so no field gives an empty
// block. `fault` is the refusal line of the first field too long, the caller's text after it;
// empty when all fit.
struct CustomerBlock {
    std::string fields;
    std::string fault;
};
CustomerBlock customerBlock(const char* cpf, const char* name, const char* address);

// The surcharge/discount flag: one character, upper-cased, one of `allowed` ("AD", or "ADX" for
// the start of a closing). Nothing when it is missing, longer or another letter.
std::optional<char> adjustmentFlag(const char* flag, std::string_view allowed);

// The type: "$" (an amount) or "%" (a percentage), one character; nothing otherwise.
std::optional<char> adjustmentType(const char* type);

// The flag as the command carries it: upper case for a percentage, lower case for an amount.
char flagLetter(char flag, char type);

// How many digits a value takes: a percentage always 4; an amount 8 on an item, 14 on the
// subtotal and at the start of a closing.
inline constexpr std::size_t kPercentWidth = 4;
inline constexpr std::size_t kItemAmountWidth = 8;
inline constexpr std::size_t kSubtotalAmountWidth = 14;
inline constexpr std::size_t itemValueWidth(char type) {
    return type == '%' ? kPercentWidth : kItemAmountWidth;
}
inline constexpr std::size_t subtotalValueWidth(char type) {
    return type == '%' ? kPercentWidth : kSubtotalAmountWidth;
}

// The instalments of a payment: a text of one or two characters whose value is 1 to 24.
bool validInstalments(std::string_view text);

// The arguments joined by "|", none after the last ("A|$|10|5"); a null argument is empty.
std::string joined(std::initializer_list<const char*> arguments);

}  // namespace quelfi::mfd
