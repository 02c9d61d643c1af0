// The same shop every time, so that two runs of the same calls (two builds of the library, two
// languages) write the same call log and paper: a virtual printer on a pseudo-terminal linked as
// COM1, and the INI that puts the call log in c:\quelfi. ShopSaleTest runs a point-of-sale
// program (an example, a program built against the package) there as its own process.
#pragma once

#include <string>
#include <vector>

#include "sim/pty_server.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"
#include "support/tool_process.h"

namespace quelfi::test {

struct ShopPrinter {
    // `more` adds settings to the shop's own (model_text.h), a journal for example.
    explicit ShopPrinter(const std::string& more = "")
        : printer(sim::modelFromSeed(
              "cliche=MERCADO; cnpj=12.345.678/0001-90; ie=110.042.490.114; serial=QM0123456789;"
              "firmware=01.03.00; clock=15/03/2024 10:30:45; coo=1234; gt=1000.00;"
              "rates=18.00,7.00; payments=Dinheiro" +
              more)) {}

    sim::QuelmarPrinter printer;
    sim::PrinterLink link{printer};
    sim::PtyServer server{link};
};

inline constexpr const char* kShopIni = "[Sistema]\r\nPorta=COM1\r\nLog=1\r\npath=c:\\quelfi\r\n";

struct Sale {
    ToolRun run;
    std::string log;  // the call log it left
    int coo = 0;      // the printer's document counter afterwards
};

class ShopSaleTest : public LibraryTest {
  protected:
    // Runs `program ARGS...` at a fresh shop; `env` as for runTool.
    Sale sell(const std::string& program, const std::vector<std::string>& args,
              const std::vector<std::string>& env);
};

}  // namespace quelfi::test
