// How printed documents look on the paper roll: 48 columns, the owner's heading, the document's
// title, and the machine's identification at the foot. Texts kept by the printer (code page 850)
// become UTF-8 here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

inline constexpr std::size_t kColumns = 48;

// 123456 centavos as "1.234,56".
std::string money(Money value);

std::string centred(std::string_view text);
// `left` at the left margin and `right` at the right one; a space between them at least.
std::string spread(std::string_view left, std::string_view right);
std::string rule();

// The heading of every document: the owner's cliché, CNPJ and IE, the printer's date and time
// with the document's COO, and the title.
std::vector<std::string> heading(const FiscalModel& model, int coo, std::string_view title);

// The foot of every document: the machine's serial number, firmware and register, then the blank
// lines programmed to follow each document.
std::vector<std::string> foot(const FiscalModel& model);

}  // namespace quelfi::sim::layout
