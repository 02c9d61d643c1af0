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

std::vector<Call> posCalls();
// The journal printer's fiscal memory and journal downloaded into c:\quelfi, and the journal
// formatted there into text and into a database whose name is not plain ASCII.
std::vector<Call> downloadCalls();

// Runs every call in order, printing each with its result; without `closePort` the list's last
// call, which closes the port, is left out. Returns how many went wrong.
int runCalls(const Lookup& lookup, bool closePort = true, std::vector<Call> calls = posCalls());

}  // namespace quelfi::client
