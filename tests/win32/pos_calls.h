// What a point-of-sale program does with the library, as one list of calls that the Windows
// client and its Linux twin both run, so that the two builds' call logs can be compared.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quelfi::client {

// Finds an export by its DLL name ("Name" or "_Name@N"); null when it is not exported.
using Lookup = std::function<void*(const std::string& dllName)>;

struct Call {
    std::string text;             // the call as printed, "Quelmar_FI_AbrePorta(0)"
    std::optional<int> expected;  // nothing where the result carries no meaning
    // Runs the call; nothing when the export was not found.
    std::function<std::optional<int>(const Lookup&)> run;
};

// The day at the till, ending with the port closed.
std::vector<Call> posCalls();

// How the program leaves the library after the day.
enum class Ending {
    Unload,      // closes the port, unloads the library, exits
    ExitClosed,  // closes the port and exits with the library loaded
    ExitOpen,    // exits with the port open and the library loaded, as most programs end
    Reload,      // unloads the library with the port open, loads it again, opens the port again
                 // and exits with it open
};

// The ending named on the command line: "unload", "exit-closed", "exit-open", "reload".
std::optional<Ending> endingNamed(const std::string& name);

// The library as the program holds it, on Linux or on Windows.
class Library {
  public:
    virtual ~Library() = default;
    // False, with a message on standard error, when it cannot be loaded.
    virtual bool load() = 0;
    virtual void unload() = 0;
    // An export by its DLL name, null when it is not exported.
    virtual void* find(const std::string& dllName) = 0;
};

// Loads the library, runs the day's calls, printing each with its result, and ends as asked.
// Returns the program's exit status: how many calls went wrong, 100 when the library did not
// load.
int runClient(Library& library, Ending ending);

}  // namespace quelfi::client
