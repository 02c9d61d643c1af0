// The print mechanism's barcode sequences, which the fiscal command "C" (and the end of a
// coupon's closing) pass to the mechanism untouched: the look of the bars (height, module width,
// the human-readable text's position and font, the left margin) and one barcode in each of the
// mechanism's forms. Pure functions of their values; each value travels as one byte.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::mfd {

// How the bars look: height in dots, module-width code (2-4), text position (0 none, 1 above,
// 2 below, 3 both), text font (0-1), left margin in dots.
struct BarcodeLook {
    int height = 0;
    int widthCode = 0;
    int textPosition = 0;
    int font = 0;
    int margin = 0;
};

// The module-width code of the caller's width: 0 gives 2, 1 gives 3, anything else 4.
int barcodeWidthCode(int width);

// GS "H" n: where the human-readable text goes.
std::string textPositionSequence(int position);

// GS "h", GS "w", GS "H", GS "f" and GS "k" 0x84 with the margin's low and high bytes.
std::string lookSequence(const BarcodeLook& look);

// GS "k" m, the data and a zero byte.
std::string terminatedBarcode(char symbology, std::string_view data);

// GS "k" m, the data's length as one byte, the data (CODE93 and CODE128).
std::string countedBarcode(char symbology, std::string_view data);

// PDF417's shape: error-correction level, module height, module width, data columns.
struct Pdf417Shape {
    int errorCorrection = 0;
    int height = 0;
    int width = 0;
    int columns = 0;
};

// GS "k" 0x80, the shape's four bytes, the data's length low and high, the data.
std::string pdf417Barcode(const Pdf417Shape& shape, std::string_view data);

// ESC "|" "0", the height as a byte, the width code and the text position as one decimal digit
// each, the data and a zero byte: EAN-13 carries its own look.
std::string ean13Barcode(int height, int widthCode, int textPosition, std::string_view data);

}  // namespace quelfi::mfd
