// The cheque station: the slip where a cheque or a document to authenticate is put. A cheque sent
// while the slip is empty waits there; the station prints it when a document is put in, then lets
// the document go.
#pragma once

#include <cstdint>

#include "sim/paper_roll.h"
#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim {

// What the station's sensor reports: the document's bits, and the mechanism busy while a cheque
// waits.
std::uint8_t chequeSensorByte(const FiscalModel& model);

bool documentInSlip(const FiscalModel& model);

// Prints the cheque on the document in the slip and releases the document.
void printCheque(FiscalModel& model, PaperRoll& paper, const Cheque& cheque);

// A waiting cheque is printed once a document is in the slip; run after every change.
void settleChequeStation(FiscalModel& model, PaperRoll& paper);

}  // namespace quelfi::sim
