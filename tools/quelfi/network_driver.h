// The network-driver program's work. On the workstation that owns the printer it takes the
// requests that client workstations leave in Quelfi32.cmd in a shared directory, runs each through
// the library in driver mode, and leaves Status.txt and Retorno.txt there for the client.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "quelfi/call_table.h"

namespace quelfi::tool {

// What the driver leaves for the client after one request.
struct DriverAnswer {
    std::string status;               // Status.txt: "%d,%d,%d" of ACK, ST1, ST2
    std::optional<std::string> data;  // Retorno.txt, when the request has a data answer

    bool operator==(const DriverAnswer&) const = default;
};

// Loads the library's configuration as a process loading it does, then switches it to the driver
// side of the network mode with every data answer delivered to the caller's buffer.
void enterDriverMode();

// Runs one request: a record "NNN|p1|p2|...|" naming an export of `table` by its record number,
// or a raw request (fields separated by ETB) for Quelmar_FI_ComandoDriverRede. A request that
// cannot be run (unknown number, wrong parameter count, garbage) answers "0,0,0".
DriverAnswer runRequest(const CallTable& table, const std::string& request);

class NetworkDriver {
  public:
    explicit NetworkDriver(std::filesystem::path directory,
                           const CallTable& table = libraryCallTable());

    struct Served {
        std::string request;
        DriverAnswer answer;
    };
    // Looks at the command file once. A request is taken when two looks in a row find the same
    // text, so a file still being written is never run: it is consumed, run, and answered (data
    // first, status last, each file replaced whole).
    std::optional<Served> serveOnce();

  private:
    std::filesystem::path directory_;
    const CallTable& table_;
    std::optional<std::string> seen_;  // the command file's text at the last look
};

}  // namespace quelfi::tool
