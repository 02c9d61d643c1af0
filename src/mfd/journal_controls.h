// The electronic-journal printers' switches and the library's own: the extended-return switch that
// moves the library to the journal framing, the last reply's status with ST3, the printer's
// on/off-line handling, cutting, left alignment and one-line sale, and the fiscal-memory readings
// with their form chosen by a flag.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

// HabilitaDesabilitaRetornoEstendidoMFD: "0" or "1" sets the journal framing off or on.
int setExtendedReturn(const Road& road, const char* flag);

// RetornoImpressoraMFD: the last reply's ACK, ST1, ST2 and ST3, without printer traffic.
int printerReturn(const Road& road, short* ack, short* st1, short* st2, short* st3);

enum class Switch { OnOffLine, CutNext, LeftAlignment, OneLineSale };
int setSwitch(const Road& road, Switch which, short flag);

// The fiscal-memory readings by date or by reduction, "S" simplified or "C" complete, printed or
// streamed into Retorno.txt (`toFile`).
enum class MemoryRange { Date, Reduction };
int fiscalMemoryReading(const Road& road, MemoryRange range, const char* first, const char* last,
                        const char* flag, bool toFile = false);

}  // namespace quelfi::mfd
