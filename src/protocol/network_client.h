// The client side of the network-driver mode: each call leaves its request record in
// Quelfi32.cmd, in the shared directory, for the driver program that owns the printer, and the
// driver's answers are read back from Status.txt and Retorno.txt.
#pragma once

#include <optional>
#include <string>

#include "protocol/export_row.h"
#include "protocol/road.h"

namespace quelfi::protocol {

// The request record of `row`'s export: "NNN|" followed by each parameter and "|". The one place
// records are written.
std::string requestRecord(const ExportRow& row, const Parameters& parameters = {},
                          RecordForm form = RecordForm::EachFollowed);

// The full name of the command file: the INI's Path directory followed by "\Quelfi32.cmd".
std::string commandFilePath();

// Deletes Status.txt and writes the record as the whole command file. 1, or 0.
int writeCommandFile(const std::string& record);

// Waits for an answer file of the driver program and reads it: a look every 100 ms, 500 looks.
// (The 1800 looks of a fiscal-memory reading in progress never apply on the client: its calls
// end at their network step, before any command is in progress.) Nothing when it never
// appeared.
std::optional<std::string> awaitDriverFile(const std::string& path);

// Copies the driver's data answer (Retorno.txt) into `buffer` without its line ends, up to the
// end of the file or a byte 0xFF. No NUL is added: the caller passes a zeroed buffer large enough
// for the answer. 1, or 0 when the file did not appear in time.
int readDriverAnswer(char* buffer);

}  // namespace quelfi::protocol
