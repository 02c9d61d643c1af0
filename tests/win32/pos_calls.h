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

// The library as the program holds it: load (false, with a message, when it cannot), unload.
struct Library {
    std::function<bool()> load;
    std::function<void()> unload;
    Lookup find;
};

// Loads the library, runs the day's calls, printing each with its result, and leaves the
// library as `ending` says: "unload" (the port closed, the library unloaded, then the exit),
// "exit-closed" (the exit with the port closed and the library loaded), "exit-open" (the exit
// with both open, as most programs end) or "reload" (the library unloaded with the port open,
// loaded again, the port opened again, the exit). Returns the exit status: how many calls went
// wrong; 100 for an unknown ending or a library that did not load.
int runClient(const Library& library, const std::string& ending);

}  // namespace quelfi::client
