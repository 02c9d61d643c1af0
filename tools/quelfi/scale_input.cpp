#include "quelfi/scale_input.h"

#include <cctype>

namespace quelfi::tool {
namespace {

// A plain decimal number with ',' or '.' and at most `decimals` decimals, in its smallest unit.
std::optional<long> decimalOf(const std::string& text, int decimals) {
    long whole = 0;
    long fraction = 0;
    int fractionDigits = 0;
    bool point = false;
    bool digits = false;
    for (const char c : text) {
        if (c == ',' || c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
            if (point) {
                if (++fractionDigits > decimals) return std::nullopt;
                fraction = fraction * 10 + (c - '0');
            } else {
                if (whole > 99999999) return std::nullopt;
                whole = whole * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    long unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    for (int i = fractionDigits; i < decimals; ++i) fraction *= 10;
    return whole * unit + fraction;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::optional<long> gramsOf(const std::string& kilos) {
    return decimalOf(kilos, 3);
}

std::optional<long> centavosOf(const std::string& reais) {
    return decimalOf(reais, 2);
}

std::optional<ScaleInput> scaleInputOf(const std::string& line) {
    const std::string text = trimmed(line);
    ScaleInput input;
    if (text.size() == 1) {
        switch (std::toupper(static_cast<unsigned char>(text[0]))) {
            case 'I':
                input.state = sim::PlateState::Unstable;
                return input;
            case 'N':
                input.state = sim::PlateState::Negative;
                return input;
            case 'S':
                input.state = sim::PlateState::Overload;
                return input;
        }
    }
    input.grams = gramsOf(text);
    if (!input.grams) return std::nullopt;
    return input;
}

}  // namespace quelfi::tool
