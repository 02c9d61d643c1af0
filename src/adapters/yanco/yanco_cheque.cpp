#include "adapters/yanco/yanco_cheque.h"

#include "adapters/yanco/yanco_text.h"
#include "core/config.h"
#include "fiscal/argument_format.h"

namespace quelfi::yanco {

namespace {

constexpr std::size_t kLayoutWidth = 45;
constexpr std::size_t kAmountWidth = 11;
constexpr std::size_t kPayeeWidth = 70;
constexpr std::size_t kCityWidth = 20;
constexpr std::size_t kDateWidth = 8;
constexpr std::size_t kSingularWidth = 15;
constexpr std::size_t kPluralWidth = 17;

std::string field(std::string text, std::size_t width) {
    stripAccents(text, /*keepLineBreaks=*/false);
    text.resize(width, ' ');
    return text;
}

}  // namespace

std::optional<std::string> chequeCommand(const YancoCheque& cheque) {
    if (cheque.amount.size() > kAmountWidth) return std::nullopt;
    std::string singular = "Real", plural = "Reais";
    core::readIniValue("Config", "MoedaSing", singular);
    core::readIniValue("Config", "MoedaPlu", plural);
    return "36" + field(cheque.layout, kLayoutWidth) +
           fiscal::zeroFill(cheque.amount, kAmountWidth) + field(cheque.payee, kPayeeWidth) +
           field(cheque.city, kCityWidth) + field(cheque.date, kDateWidth) +
           field(singular, kSingularWidth) + field(plural, kPluralWidth);
}

}  // namespace quelfi::yanco
