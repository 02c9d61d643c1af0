// The readings the Yanco printer sends to the line ("2F", "2D0"), one line a frame, composed here
// into the texts a caller finds in Retorno.txt (and the fiscal memory also in LMFISCAL.TXT), as
// it finds the readings a Quelmar printer streams. Every line ends in CR LF; amounts are in money
// notation ("1.234,56"); texts are Windows-1252.
//
// The X reading:
//   "             L E I T U R A  X"
//   the lines the printer puts before its first section (date, time and COO; the movement)
//   the six sections, always all of them and in this order, each opened by its heading centred
//   between dashes in 42 columns ("------------[ TOTALIZADORES ]-------------"): TOTALIZADORES,
//   CONTADORES, OPERACOES NAO FISCAIS, FORMAS DE PAGAMENTO, SITUACOES TRIBUTARIAS, ISS; under
//   each, the printer's lines of that section in its order.
//   A line with a value (a label, two blanks or more, the value) is laid out as a value line:
//   the label left-aligned in 26 columns and the value right-aligned in 16 (wider when the label
//   or the value is); an amount ("1234,56") goes in money notation, any other value (a counter,
//   "COO:000008", a date) as sent. Any other line goes as sent, without blanks at its ends.
//
// The fiscal memory reading, in value lines as above:
//   "L E I T U R A  M E M O R I A  F I S C A L"
//   the date, time and COO; "CNPJ: " and the owner's CNPJ; "FAB: " and the serial number;
//   "LJ: NNNN  CX: NNNN"; "CRO: NNNN"; the range as the printer names it
//   "REDUÇÕES DIÁRIAS", then for each reduction:
//     "CRZ: NNNN  COO: NNNNNN  DATA: DD/MM/YYYY" (the movement date)
//     "GT:" the grand total at its end, "Venda bruta", "Venda liquida", "Acrescimos ICMS",
//     "Acrescimos ISS", one "NNNN=" line per ICMS rate (its four digits) with the rate's sales,
//     "ISS=" the sales of the ISS rates together, "Cancelamentos c=", "Descontos d=" (ICMS and
//     ISS together), "Substituicao F=", "Isencao I=", "Nao incidencia N="
//     or the printer's line saying the range holds none
//   "Total do Período", then "Venda bruta" and the c=, d=, F=, I=, N= lines summed over the
//   range; "TOTAL DO USUARIO", then "GT:" the grand total of the range's last reduction.
//   These markers are the ones DadosSintegra reads back.
#pragma once

#include <string>
#include <vector>

namespace quelfi::yanco {

// The lines of the printer's answer as gathered in Retorno.txt (CR LF or LF between them).
std::vector<std::string> readingLines(const std::string& gathered);

std::string composeXReading(const std::vector<std::string>& printerLines);
std::string composeFiscalMemory(const std::vector<std::string>& printerLines);

}  // namespace quelfi::yanco
