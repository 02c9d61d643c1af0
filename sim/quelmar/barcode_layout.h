// A barcode on the paper roll, framed so a person can read it: the symbology, the data with the
// check digit the mechanism added, the human-readable line where the look puts it, and a strip of
// bars whose rows follow the bar height and whose width follows the module width and margin.
#pragma once

#include <string>
#include <vector>

#include "sim/quelmar/print_mechanism.h"

namespace quelfi::sim::layout {

std::vector<std::string> barcodeBlock(const mechanism::Barcode& barcode);

// What the mechanism printed of a command's text and barcodes, in their order.
std::vector<std::string> mechanismLines(const mechanism::Reading& reading);

}  // namespace quelfi::sim::layout
