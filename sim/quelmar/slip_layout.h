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
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

std::vector<std::string> chequeSlip(const FiscalModel& model, const Cheque& cheque);

// The programmed character drawn as 8 rows of its 18 columns (bit 1 of a column byte on the top
// row), then the COO of the last document, the moment and the machine.
std::vector<std::string> authenticationSlip(const FiscalModel& model);

}  // namespace quelfi::sim::layout
