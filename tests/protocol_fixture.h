// A library connected to a scripted printer line on COM1, with the virtual clock running.
#pragma once

#include <filesystem>

#include "core/printer_state.h"
#include "exports/boundary.h"
#include "protocol/send_command.h"
#include "quelfi32.h"
#include "support/library_fixture.h"
#include "support/scripted_port.h"

namespace quelfi::test {

class ProtocolTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort("COM1", [this] { return std::make_unique<ScriptedPort>(line); });
    }
    // Loads an INI with the log and status files in the work directory.
    void configure(const std::string& keys = "") {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n" + keys);
        load();
        std::filesystem::remove(workDir() + "/QuelFI32.log");
    }
    // The same INI with other keys of section Sistema (and of section MFD), read again as an
    // application has the library do it; the port stays as it is and the log starts afresh. A
    // missing key takes the text of the key read before it, so the keys that would inherit a "1"
    // from the ones given are written off after them.
    void reconfigure(const std::string& keys, const std::string& mfdKeys = "") {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n" + keys +
                 "ControlePorta=0\nModoGaveta=0\nEmulMFD=0\n[MFD]\n" + mfdKeys);
        Quelmar_FI_ReloadINIFile();
        std::filesystem::remove(workDir() + "/QuelFI32.log");
    }
    std::shared_ptr<ScriptedLine> line = std::make_shared<ScriptedLine>();
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

// Sends `spec`'s command on the road the library chooses for a call.
inline int sendOnChosenRoad(const protocol::CommandSpec& spec) {
    return protocol::sendCommand(exports::chosenRoad(), spec);
}

// Sends `command` (three reply bytes, no data) on the road the library chooses for a call.
inline int sendOnChosenRoad(const std::string& command, int explicitLength = 0, int rawLength = 0) {
    protocol::CommandSpec spec;
    spec.command = command;
    spec.explicitLength = explicitLength;
    spec.rawLength = rawLength;
    return protocol::sendCommand(exports::chosenRoad(), spec);
}

inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

}  // namespace quelfi::test
