// How the documents put in the cheque station look on the paper roll: the cheque, with its amount
// in figures and in words, payee, city and date, and the authentication of a document.
//
//     ------------------------------------------------
//                          CHEQUE
//                                           R$ 123,45
//     CENTO E VINTE E TRÊS REAIS E QUARENTA E CINCO
//     CENTAVOS
//     PAGUE A: JOSÉ DA SILVA
//                      SÃO PAULO, 06 DE MAIO DE 2024
//     (message)
//     ------------------------------------------------
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

std::vector<std::string> chequeSlip(const FiscalModel& model, const Cheque& cheque);

// The programmed character drawn as 8 rows of its 18 columns (bit 1 of a column byte on the top
// row), then the COO of the last document, the moment and the machine. The journal printer's
// form prints from line `line` of the document (blank lines before it) and adds its text (code
// page 850); without a character programmed, the text alone.
std::vector<std::string> authenticationSlip(const FiscalModel& model, int line = 1,
                                            std::string_view text = {});

// A text on a side of the cheque, in at most `lines` lines of the paper's width; what does not
// fit is not printed.
std::vector<std::string> chequeText(bool back, int lines, std::string_view text);

}  // namespace quelfi::sim::layout
