// Barcodes on the journal printer: one export per symbology printing inside an open document, the
// mechanism's configuration the process remembers, and the end of a coupon's closing with its
// promotional message and a barcode.
#pragma once

#include "mfd/barcode_table.h"
#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

// A standalone barcode of any symbology but PDF417, with the configured look.
int printBarcode(const Road& road, const Symbology& symbology, const char* code);

int printPdf417(const Road& road, int errorCorrection, int height, int width, int columns,
                const char* code);

int configureBarcodes(const Road& road, int height, int width, int position, int font, int margin);

// The closing's arguments, as the caller gives them.
struct BarcodeClosing {
    const char* message;
    const char* type;
    const char* code;
    int height;
    int width;
    int position;
    int font;
    int margin;
    int errorCorrection;
    int columns;
};

int finishClosingWithBarcode(const Road& road, const BarcodeClosing& closing);

}  // namespace quelfi::mfd
