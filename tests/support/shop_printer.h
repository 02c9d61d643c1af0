// A virtual printer served on a pseudo-terminal, the same shop every time, so that two runs of
// the same calls (two builds of the library, two languages) write the same call log and paper.
#pragma once

#include "sim/pty_server.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"

namespace quelfi::test {

struct ShopPrinter {
    sim::QuelmarPrinter printer{sim::modelFromSeed(
        "cliche=MERCADO; cnpj=12.345.678/0001-90; ie=110.042.490.114; serial=QM0123456789;"
        "firmware=01.03.00; clock=15/03/2024 10:30:45; coo=1234; gt=1000.00;"
        "rates=18.00,7.00; payments=Dinheiro")};
    sim::PrinterLink link{printer};
    sim::PtyServer server{link};
};

// The INI of a program at that shop: the printer on COM1, the call log in c:\quelfi.
inline constexpr const char* kShopIni = "[Sistema]\r\nPorta=COM1\r\nLog=1\r\npath=c:\\quelfi\r\n";

}  // namespace quelfi::test
