// The virtual printer's print mechanism fed the bytes a document's text passes to it: settings,
// barcode sequences of every form with any length bytes and data, and text between them, read
// from a look the input chooses.
//
// Holds: the reading never runs past the input; a look it leaves is within the mechanism's
// ranges; and every line of a barcode block is exactly the paper's width.
#include <cstdint>
#include <string>

#include "sim/quelmar/barcode_layout.h"
#include "sim/quelmar/print_mechanism.h"
#include "sim/quelmar/receipt_layout.h"
#include "support/fuzz_input.h"

namespace {

using namespace quelfi;
using fuzz::check;

std::size_t columnsOf(const std::string& utf8) {
    std::size_t n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    sim::MechanismLook look;
    look.height = 1 + in.byte();
    look.width = 2 + static_cast<int>(in.below(3));
    look.position = static_cast<int>(in.below(4));
    look.margin = static_cast<int>(in.below(576));
    const std::string bytes = in.rest();
    const auto reading = sim::mechanism::read(bytes, look);
    if (!reading) return 0;
    const sim::MechanismLook& after = reading->look;
    check(after.height >= 1 && after.height <= 255 && after.width >= 2 && after.width <= 4 &&
              after.position >= 0 && after.position <= 3 && after.margin >= 0 &&
              after.margin <= 575,
          "look out of range");
    for (const sim::mechanism::Piece& piece : reading->pieces) {
        if (!piece.barcode) continue;
        for (const std::string& line : sim::layout::barcodeBlock(*piece.barcode))
            check(columnsOf(line) == sim::layout::kColumns, "block line width", line);
    }
    return 0;
}
