// The library driving the virtual Yanco printer through its exports, on an in-process line with
// the virtual clock: what went on the wire is read back as the command texts of the frames.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quelfi/call_table.h"
#include "quelfi32.h"
#include "sim/yanco/in_process_port.h"
#include "sim/yanco/model_text.h"
#include "support/library_fixture.h"

namespace quelfi::test {

class YancoTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort("COM1", [this] { return line->connection(); });
    }

    // A printer whose day is open on 06/12/2026, the clock at 10:00:00, with `seed` applied.
    void start(const std::string& seed = "") {
        line.reset();
        printer = std::make_unique<sim::yanco::Printer>(sim::yanco::modelFromSeed(
            "clock=06/12/2026 10:00:00; day=1; movement=06/12/2026;" + seed));
        line = std::make_unique<sim::yanco::InProcessPort>(*printer, platform);
    }

    // The INI of a Yanco shop, the day's start recorded, with `keys` added to section Sistema;
    // the log and the status file in the work directory, the port opened, the log started afresh.
    void configure(const std::string& keys = "", const std::string& startOfDay = "1") {
        writeIni("[Sistema]\npath=" + workDir() +
                 "\nLog=1\nStatus=1\nPorta=COM1\nModeloImp=YANCO\n" + keys +
                 "[Config]\nInicioDia=" + startOfDay + "\n");
        load();
        Quelmar_FI_AbrePortaSerial();
        clearLog();
    }
    void clearLog() {
        std::filesystem::remove(workDir() + "/QuelFI32.log");
        sent = line->frames().size();
    }

    // The command texts of the frames written since the log was last cleared.
    std::vector<std::string> commands() {
        std::vector<std::string> texts;
        const auto& frames = line->frames();
        for (std::size_t k = sent; k < frames.size(); ++k) {
            const std::size_t etx = frames[k].find('\x03');
            texts.push_back(frames[k].size() > 5 ? frames[k].substr(5, etx - 5) : frames[k]);
        }
        return texts;
    }

    // Calls an export by name with text arguments.
    tool::CallOutcome call(const std::string& name,
                           const std::vector<std::string>& arguments = {}) {
        return tool::libraryCallTable().call(name, arguments);
    }

    std::string ini() const { return readFile(systemDir() + "/QuelFI32.ini"); }

    // A raw request of the network driver: the command, ETB and the status flag.
    static std::string raw(const std::string& command, char flag) {
        return command + '\x17' + flag;
    }

    static inline const std::string kBlanks13 = std::string(13, ' ');
    static inline const std::string kRefusal = ": -30 - Funcao incompativel com a impressora yanco";
    static inline const std::string kSep = std::string(71, '-') + " ";

    std::unique_ptr<sim::yanco::Printer> printer;
    std::unique_ptr<sim::yanco::InProcessPort> line;
    std::size_t sent = 0;
};

}  // namespace quelfi::test
