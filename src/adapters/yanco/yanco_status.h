// The Yanco printer's state and status operations: its state read with "25" in the Quelmar
// ACK, ST1, ST2 form, the translation of a reply's status number into that form, and the closing
// of an X or Z report.
#pragma once

#include "protocol/road.h"

namespace quelfi::yanco {

// Yanco_FI_VerificaEstadoImpressora: the state from "25"; the ST3 of the journal's variant is 0.
int verifyPrinterState(const protocol::Road& road, short* ack, short* st1, short* st2);
// Yanco_FI_RetornoImpressora: the last reply's status translated; asked again, it translates the
// same reply again.
int printerReturn(const protocol::Road& road, short* ack, short* st1, short* st2);
// Yanco_FI_FechaRelatorioXouZ: "2C".
int closeXOrZReport(const protocol::Road& road);

// The translation of a reply's status number into ST1 and ST2; a number without one keeps both.
struct StatusTranslation {
    int st1;
    int st2;
};
StatusTranslation translateStatus(int status, int st1, int st2);

}  // namespace quelfi::yanco
