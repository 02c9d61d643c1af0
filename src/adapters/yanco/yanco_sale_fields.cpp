#include "adapters/yanco/yanco_sale_fields.h"

#include "fiscal/argument_format.h"

namespace quelfi::yanco {

bool adjustmentFlag(const std::string& flag) {
    const std::string upper = fiscal::upperCase(flag);
    return upper == "A" || upper == "D";
}

std::optional<char> adjustmentCode(const std::string& flag, const std::string& type) {
    if (!adjustmentFlag(flag) || (type != "$" && type != "%")) return std::nullopt;
    const bool surcharge = fiscal::upperCase(flag) == "A";
    return static_cast<char>('0' + (surcharge ? 2 : 0) + (type == "%" ? 1 : 0));
}

std::string joinedParameters(const protocol::Parameters& parameters) {
    std::string line;
    for (const std::string& p : parameters) line += p + "|";
    return line;
}

std::optional<std::string> fitAmount(const std::string& digits, std::size_t width) {
    if (digits.size() <= width) return fiscal::zeroFill(digits, width);
    const std::size_t dropped = digits.size() - width;
    if (digits.find_first_not_of('0') < dropped) return std::nullopt;
    return digits.substr(dropped);
}

}  // namespace quelfi::yanco
