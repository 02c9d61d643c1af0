#include "mfd/barcode_sequences.h"

namespace quelfi::mfd {

namespace {

constexpr char kGs = 0x1D;
constexpr char kEsc = 0x1B;
constexpr char kBarHeight = 'h';
constexpr char kModuleWidth = 'w';
constexpr char kTextPosition = 'H';
constexpr char kTextFont = 'f';
constexpr char kPrintBarcode = 'k';
constexpr char kLeftMargin = static_cast<char>(0x84);
constexpr char kPdf417 = static_cast<char>(0x80);
constexpr std::string_view kEan13 = "|0";

char byte(int value) {
    return static_cast<char>(value & 0xFF);
}

char digit(int value) {
    return static_cast<char>('0' + value % 10);
}

std::string setting(char selector, int value) {
    return {kGs, selector, byte(value)};
}

}  // namespace

int barcodeWidthCode(int width) {
    if (width == 0) return 2;
    if (width == 1) return 3;
    return 4;
}

std::string textPositionSequence(int position) {
    return setting(kTextPosition, position);
}

std::string lookSequence(const BarcodeLook& look) {
    return setting(kBarHeight, look.height) + setting(kModuleWidth, look.widthCode) +
           setting(kTextPosition, look.textPosition) + setting(kTextFont, look.font) +
           std::string{kGs, kPrintBarcode, kLeftMargin, byte(look.margin % 256),
                       byte(look.margin / 256)};
}

std::string terminatedBarcode(char symbology, std::string_view data) {
    std::string out{kGs, kPrintBarcode, symbology};
    out += data;
    out += '\0';
    return out;
}

std::string countedBarcode(char symbology, std::string_view data) {
    std::string out{kGs, kPrintBarcode, symbology, byte(static_cast<int>(data.size()))};
    out += data;
    return out;
}

std::string pdf417Barcode(const Pdf417Shape& shape, std::string_view data) {
    const int length = static_cast<int>(data.size());
    std::string out{kGs,
                    kPrintBarcode,
                    kPdf417,
                    byte(shape.errorCorrection),
                    byte(shape.height),
                    byte(shape.width),
                    byte(shape.columns),
                    byte(length % 256),
                    byte(length / 256)};
    out += data;
    return out;
}

std::string ean13Barcode(int height, int widthCode, int textPosition, std::string_view data) {
    std::string out{kEsc};
    out += kEan13;
    out += byte(height);
    out += digit(widthCode);
    out += digit(textPosition);
    out += data;
    out += '\0';
    return out;
}

}  // namespace quelfi::mfd
