// How the passenger ticket opens on the paper roll: the heading, the journey, and the item columns
// of the fare sold after it.
//
//     (heading: cliché, CNPJ, IE, date, time and COO, "BILHETE DE PASSAGEM")
//     EMBARQUE: SÃO PAULO
//     DESTINO: CAMPINAS
//     LINHA: 1045 SÃO PAULO - CAMPINAS
//     AGÊNCIA: RODOVIÁRIA TIETÊ                   (prefix, agent and agency when given)
//     DATA: 15/03/24  HORA: 10:45:00    POLTRONA: 12
//     PLATAFORMA: 7
//     (item columns)
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

// The journey as the ticket command gives it; texts in code page 850.
struct Journey {
    bool emphasised = false;  // the places and the route printed in capitals
    std::string boarding;
    std::string destination;
    std::string route;
    std::string prefix;
    std::string agent;
    std::string agency;
    std::optional<CivilDate> date;
    std::optional<DateTime> time;  // only its hour, minute and second count
    std::string seat;
    std::string platform;
};

std::vector<std::string> ticketOpening(const FiscalModel& model, int coo, const Journey& journey);

}  // namespace quelfi::sim::layout
