// A library connected to a scripted printer line on COM1, with the virtual clock running.
#pragma once

#include <filesystem>

#include "core/printer_state.h"
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
    std::shared_ptr<ScriptedLine> line = std::make_shared<ScriptedLine>();
};

inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

}  // namespace quelfi::test
