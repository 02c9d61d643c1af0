// The client side of the network-driver mode: each call leaves its request record in
// Quelfi32.cmd, in the shared directory, for the driver program that owns the printer.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "core/export_call.h"

namespace quelfi::protocol {

// "NNN|" followed by each parameter and "|".
std::string requestRecord(int number, std::initializer_list<std::string> parameters = {});

// The full name of the command file: the INI's Path directory followed by "\Quelfi32.cmd".
std::string commandFilePath();

// Deletes Status.txt and writes the record as the whole command file. 1, or 0.
int writeCommandFile(const std::string& record);

// In client mode, hands the record to the driver program: the result is logged and returned.
// Nothing when the library talks to the printer itself.
std::optional<int> forwardToDriver(const core::ExportCall& call, const std::string& record);

}  // namespace quelfi::protocol
