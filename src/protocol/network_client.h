// The client side of the network-driver mode: each call leaves its request record in
// Quelfi32.cmd, in the shared directory, for the driver program that owns the printer, and the
// driver's answers are read back from Status.txt and Retorno.txt.
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

// Waits for an answer file of the driver program and reads it: a look every 100 ms, 1800 looks
// while a fiscal-memory reading runs (commandBusy 2), else 500. Nothing when it never appeared.
std::optional<std::string> awaitDriverFile(const std::string& path);

// Copies the driver's data answer (Retorno.txt) into `buffer` without its line ends, up to the
// end of the file or a byte 0xFF. No NUL is added: the caller passes a zeroed buffer large enough
// for the answer. 1, or 0 when the file did not appear in time.
int readDriverAnswer(char* buffer);

}  // namespace quelfi::protocol
