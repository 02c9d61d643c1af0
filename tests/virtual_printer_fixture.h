// The library talking to the virtual printer over the in-process line on COM1, with the virtual
// clock: what the exports do changes the printer's model and paper roll, and what they read back
// is what the printer holds.
#pragma once

#include <string>
#include <vector>

#include "quelfi32.h"
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

class VirtualPrinterTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort("COM1", [this] { return port.connection(); });
        connect();
    }
    // Loads the library with these INI keys besides the port and the log.
    void connect(const std::string& keys = "") { configure("Porta=COM1\n" + keys); }
    // Sets the printer up afresh from a seed.
    void reseed(const std::string& seed) {
        printer.update([&](sim::FiscalModel& m) { m = sim::modelFromSeed(seed); });
    }
    // A text answer of a query export.
    template <typename Query>
    std::string answer(Query query) {
        std::string buffer(4096, '\0');
        EXPECT_EQ(query(buffer.data()), 1);
        return buffer.c_str();
    }
    // The commands of the frames written from frame `first` on.
    std::vector<std::string> commands(std::size_t first = 0) const {
        std::vector<std::string> out;
        for (std::size_t i = first; i < port.frames().size(); ++i)
            out.push_back(port.frames()[i].substr(3, port.frames()[i].size() - 5));
        return out;
    }

    sim::QuelmarPrinter printer{sim::modelFromSeed(kShopSeed)};
    sim::InProcessPort port{printer, platform};
};

}  // namespace quelfi::test
