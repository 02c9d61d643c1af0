// The thirteen barcode symbologies the journal printer takes: for each, its export, its sequence,
// the characters it accepts, and its limits and messages both standalone (inside an open
// document) and at the end of a coupon's closing, where some limits differ.
#pragma once

#include <cstddef>
#include <string_view>

#include "protocol/export_row.h"

namespace quelfi::mfd {

// How the data travels to the mechanism.
enum class BarcodeForm {
    Terminated,  // GS "k" m data 0x00
    Counted,     // GS "k" m n data (CODE93, CODE128)
    Ean13,       // ESC "|" "0" h w p data 0x00
    Pdf417,      // GS "k" 0x80 e h w c nL nH data
};

// The characters a symbology takes.
enum class BarcodeCharacters {
    Any,      // every byte
    Ascii,    // every byte below 128
    Digits,   // '0' to '9'
    Codabar,  // digits and "ABCDabcd$+-./:"
    Code39,   // letters of either case, digits and " $%+-./"
    Plessey,  // digits and "ABCDEFabcdef"
    Isbn,     // digits, "-", "X" and blank
};

// One column's limit and messages. A refusal logs the message; the bad-character message is
// followed by the code when it ends in a blank.
struct BarcodeLimit {
    std::size_t maxLength;
    std::string_view absent;
    std::string_view tooLong;
    std::string_view badCharacter;
};

struct Symbology {
    std::string_view type;  // the name the closing command takes, compared ignoring case
    const protocol::ExportRow* row;
    BarcodeForm form;
    char code;  // the sequence's symbology byte m
    BarcodeCharacters characters;
    int fixedLength;  // the standalone command's length when fixed (zero bytes fill); else 0
    BarcodeLimit alone;
    BarcodeLimit closing;
};

// The symbologies in the order the closing command tests their names.
extern const Symbology kSymbologies[13];

// The symbology of this closing-command name (any case); null when none has it.
const Symbology* findSymbology(std::string_view type);

// The symbology whose standalone export has this name.
const Symbology& symbologyOf(std::string_view exportName);

// Whether every byte of `data` is one the set takes.
bool takesCharacters(BarcodeCharacters set, std::string_view data);

}  // namespace quelfi::mfd
