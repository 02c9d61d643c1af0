// How the Yanco printer's documents look on the paper roll: 42 columns, the owner's heading with
// the date, time and COO, the document's title, and the machine at the foot. The printer prints
// ASCII only; any other byte it is sent prints as '?'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/yanco/model.h"

namespace quelfi::sim::yanco::layout {

inline constexpr std::size_t kColumns = 42;

// 123456 centavos as "1234,56"; a negative amount with its sign.
std::string amount(Money value);
// 1800 as "18,00%".
std::string percent(int hundredths);
// A whole number zero-filled to `width` digits.
std::string digits(std::int64_t value, int width);
std::string printable(std::string_view text);

std::string centred(std::string_view text);
// `left` at the left margin and `right` at the right one, a blank between them at least.
std::string spread(std::string_view left, std::string_view right);
std::string rule();
// A section heading centred between dashes: "------------[ TOTALIZADORES ]-------------".
std::string headed(std::string_view heading);

// The owner's header, CNPJ and IE, the date, time and COO, and the title.
std::vector<std::string> heading(const Model& model, int coo, std::string_view title);
// The machine: its serial number, firmware, store and register.
std::vector<std::string> foot(const Model& model);
// A text as lines of the paper's width, blanks at their ends dropped and empty lines skipped.
std::vector<std::string> textLines(std::string_view text);
// A text field as sent, without the blanks that fill it.
std::string trimmed(std::string_view field);

// What a sale slot is called on paper: "T18,00%" for an ICMS rate, "S05,00%" for an ISS one,
// "F", "I", "N" for the situations.
std::string slotMark(const Model& model, int slot);

}  // namespace quelfi::sim::yanco::layout
