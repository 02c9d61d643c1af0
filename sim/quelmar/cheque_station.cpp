#include "sim/quelmar/cheque_station.h"

#include "sim/quelmar/codes.h"
#include "sim/quelmar/slip_layout.h"

namespace quelfi::sim {

std::uint8_t chequeSensorByte(const FiscalModel& model) {
    return static_cast<std::uint8_t>(model.chequeSensor |
                                     (model.waitingCheque ? codes::kChequeMechanismBusy : 0));
}

bool documentInSlip(const FiscalModel& model) {
    return (model.chequeSensor & codes::kChequeDocumentPresent) != 0;
}

void printCheque(FiscalModel& model, PaperRoll& paper, const Cheque& cheque) {
    paper.printLines(layout::chequeSlip(model, cheque));
    model.chequeSensor = 0;
}

void settleChequeStation(FiscalModel& model, PaperRoll& paper) {
    if (!model.waitingCheque || !documentInSlip(model)) return;
    const Cheque cheque = *model.waitingCheque;
    model.waitingCheque.reset();
    printCheque(model, paper, cheque);
}

}  // namespace quelfi::sim
