// A library connected to a scripted printer line on COM1, with the virtual clock running, and the
// canned replies tests give it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quelfi32.h"
#include "support/library_fixture.h"
#include "support/scripted_port.h"

namespace quelfi::test {

inline const std::string kOk = bytes({6, 0, 0});

// The reply to the rate-table request: the count, then 16 rates of two BCD bytes (1800 is 18 %).
std::string rateTableReply(std::initializer_list<int> rates);

// n digits that differ from position to position, so a field cut in the wrong place shows.
std::string digitRun(std::size_t n, int seed = 0);

class ProtocolTest : public LibraryTest {
  protected:
    void SetUp() override;
    // The INI with the port COM1 besides `keys`.
    void configure(const std::string& keys = "") { LibraryTest::configure("Porta=COM1\n" + keys); }
    // The bytes written since the last look, and the commands their frames carried.
    std::string newWire();
    std::vector<std::string> commands() { return commandsOf(newWire()); }

    std::shared_ptr<ScriptedLine> line = std::make_shared<ScriptedLine>();

  private:
    std::size_t seen_ = 0;
};

// Configured, the port open and the log empty.
class ConnectedTest : public ProtocolTest {
  protected:
    void SetUp() override;
};

}  // namespace quelfi::test
