// The reports computed on the PC from the last reduction's record: the daily summary maps, the
// register-60 texts and the SINTEGRA registers 60M and 60A, written to Retorno.txt as a text file.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

enum class Report {
    SummaryMapJournal,          // MapaResumoMFD
    SummaryMap,                 // MapaResumo
    Register60Master,           // RelatorioTipo60Mestre
    Register60Analytic,         // RelatorioTipo60Analitico
    Register60AnalyticJournal,  // RelatorioTipo60AnaliticoMFD
    Registers60,                // RegistrosTipo60
};

int computedReport(const Road& road, Report report);

// An amount in cents in the reports' money notation: "1.234,56"; at least "0,00".
std::string moneyNotation(long long cents);

}  // namespace quelfi::mfd
