// Where the exchange files are and the whole-file steps on them: the paths built from section TEF
// of the INI, writing a request, and deleting what a transaction leaves behind.
#pragma once

#include <optional>
#include <string>

namespace quelfi::tef {

// Builds the paths from the INI's TEF/REQ and TEF/RESP when they are not built yet. An empty
// directory means the current one, as for the answer files.
void ensurePaths();
// Builds them again (after the directories were configured).
void buildPaths();

// Replaces the request file with the request. False when it could not be written.
bool writeRequest(const std::string& text);

// Deletes the request, response, status and voucher files; missing ones are no matter.
void deleteResidues();

// Whether a file of the exchange opens.
bool exchangeFileExists(const std::string& path);
// A file of the exchange as it is now; nothing when it does not open.
std::optional<std::string> readExchangeFile(const std::string& path);

// A key of section TEF ("" when missing), and writing one (false when it could not be written).
std::string readTefKey(const std::string& key, std::size_t capacity);
bool writeTefKey(const std::string& key, const std::string& value);

}  // namespace quelfi::tef
