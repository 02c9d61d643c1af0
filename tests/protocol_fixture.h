// A library connected to a scripted printer line on COM1, with the virtual clock running, and the
// canned replies tests give it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "exports/boundary.h"
#include "protocol/send_command.h"
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

// A command as the exports send it: reply length, data mode, data format and layout.
inline protocol::CommandSpec commandSpec(const std::string& command, int replyLength = 3,
                                         int dataMode = 0, int dataFormat = 0, int layout = 0) {
    protocol::CommandSpec spec;
    spec.command = command;
    spec.replyLength = replyLength;
    spec.dataMode = dataMode;
    spec.dataFormat = dataFormat;
    spec.layout = layout;
    return spec;
}

// Sends a command on the road the library chooses for a call.
inline int sendOnChosenRoad(const protocol::CommandSpec& spec) {
    return protocol::sendCommand(exports::chosenRoad(), spec);
}

// Sends `command` (three reply bytes, no data) on the road the library chooses for a call.
inline int sendOnChosenRoad(const std::string& command, int explicitLength = 0, int rawLength = 0) {
    protocol::CommandSpec spec = commandSpec(command);
    spec.explicitLength = explicitLength;
    spec.rawLength = rawLength;
    return sendOnChosenRoad(spec);
}

// Configured, the port open and the log empty.
class ConnectedTest : public ProtocolTest {
  protected:
    void SetUp() override;
};

}  // namespace quelfi::test
