// The shop where the point-of-sale client (tests/win32/) runs, on Linux as on Windows: the
// virtual printer on a pseudo-terminal, the same shop every time so that two runs of the same
// calls write the same log; the client's configuration; and the log lines it leads to.
#pragma once

#include <string>

#include "sim/pty_server.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"

namespace quelfi::test {

struct ShopPrinter {
    sim::QuelmarPrinter printer{sim::modelFromSeed(
        "cliche=MERCADO; cnpj=12.345.678/0001-90; ie=110.042.490.114; serial=QM0123456789;"
        "firmware=01.03.00; clock=15/03/2024 10:30:45; coo=1234; gt=1000.00;"
        "rates=18.00,7.00; payments=Dinheiro")};
    sim::PrinterLink link{printer};
    sim::PtyServer server{link};
};

// COM1, the call log on, in c:\quelfi.
inline constexpr const char* kShopIni = "[Sistema]\r\nPorta=COM1\r\nLog=1\r\npath=c:\\quelfi\r\n";

// The load step's reading of that configuration, as logged.
inline std::string shopConfigurationLog() {
    return logLines({std::string(71, '-') + " ", "Quelmar_FI_LeInformacoesConfiguracao ",
                     "path: c:\\quelfi", "Log: 1", "Status: 1", "Retorno: 0", "ControlePorta: 0",
                     "StatusFuncao: 0", "ModeloImp: 0", "ConfigRede: i", "ModoGaveta: i",
                     "EmulMFD: 0", "StatusCheque: 0", "Porta: COM1", "StatusErro: 0",
                     "Impressora: 0", "Retorno Quelmar_FI_LeInformacoesConfiguracao:  "});
}

// Quelmar_FI_AbrePortaSerial and Quelmar_FI_FechaPortaSerial on COM1, as logged.
inline std::string shopPortOpenedLog() {
    return logLines({std::string(71, '-') + " ", "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                     "Retorno Quelmar_FI_AbrePortaSerial: 1"});
}
inline std::string shopPortClosedLog() {
    return logLines({std::string(71, '-') + " ", "Quelmar_FI_FechaPortaSerial ",
                     "Retorno Quelmar_FI_FechaPortaSerial: 1"});
}

}  // namespace quelfi::test
