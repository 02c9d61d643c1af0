// The print mechanism behind the fiscal firmware: the bytes a document's text (and the end of a
// coupon) passes to it, read as the mechanism reads them. Settings change the look that holds
// until changed; each barcode sequence prints one barcode with the look of its moment; other
// bytes are text. A sequence the mechanism cannot take (a value out of range, data its symbology
// cannot encode, a length byte that disagrees with the data) spoils the whole command.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::mechanism {

struct Barcode {
    std::string symbology;   // "EAN-13", "CODE128", ...
    std::string data;        // as sent (printer code page)
    std::string checkDigit;  // the one the mechanism adds; empty where it adds none
    MechanismLook look;
    std::string shape;  // PDF417's error correction, module size and columns, as text
};

// One stretch of what was passed: text to print, or a barcode.
struct Piece {
    std::string text;
    std::optional<Barcode> barcode;
};

struct Reading {
    std::vector<Piece> pieces;
    MechanismLook look;  // the look after the bytes
    bool hasBarcode = false;
    bool hasText = false;  // any byte that prints as text
};

// Reads `bytes` starting from `look`; nothing when a sequence spoils the command.
std::optional<Reading> read(std::string_view bytes, const MechanismLook& look);

// The mod-10 check digit of EAN and UPC data (weights 3 and 1 from the right).
char eanCheckDigit(std::string_view digits);

}  // namespace quelfi::sim::mechanism
