// The library talking to the virtual printer over the in-process line on COM1, with the virtual
// clock: a sale made through the exports changes the printer's model and paper roll.
#pragma once

#include <string>

#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"

namespace quelfi::test {

inline const char* const kShopSeed =
    "cliche=SUPERMERCADO BOM PREÇO LTDA; cnpj=12.345.678/0001-90; ie=110.042.490.114;"
    "serial=QM0123456789; firmware=01.03.00; store=1; register=7;"
    "clock=15/03/2024 10:30:45; coo=1234; gt=1000.00;"
    "rates=18.00,7.00,5.00/ISS; payments=Dinheiro,Cartao; departments=Bebidas,Padaria";

class SimSaleTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort("COM1", [this] { return port.connection(); });
        connect();
    }
    // Loads the library with these INI keys besides the port and the log.
    void connect(const std::string& keys = "") {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n" + keys);
        load();
    }
    // A text answer of a query export.
    template <typename Query>
    std::string answer(Query query) {
        std::string buffer(4096, '\0');
        EXPECT_EQ(query(buffer.data()), 1);
        return buffer.c_str();
    }

    sim::QuelmarPrinter printer{sim::modelFromSeed(kShopSeed)};
    sim::InProcessPort port{printer, platform};
};

}  // namespace quelfi::test
