// QuelFI32.ini: where it is, how one key is read, and the whole configuration read at load.
#pragma once

#include <cstddef>
#include <string>

namespace quelfi::core {

// The most a single key read takes (the profile service's working area of 150 characters).
constexpr std::size_t kIniValueMax = 149;

// Reads one key of the configuration file into `buffer`, whose current text is the default:
// a missing key (or an empty value) leaves it as it was. The value is cut at the first ';' and to
// `capacity` characters.
void readIniValue(const std::string& section, const std::string& key, std::string& buffer,
                  std::size_t capacity = kIniValueMax);

// Reads one key's whole value, ';' and all and without a length cut: the records the library
// keeps in the file itself (cheque layouts, the last cheque). "" when the key is missing.
std::string readIniText(const std::string& section, const std::string& key);

// Writes one key of the configuration file in use. False when it could not be written.
bool writeIniValue(const std::string& section, const std::string& key, const std::string& value);

// Reads every key of sections Sistema and MFD into the state, logging what it read.
void loadConfiguration();

// Switches to the configuration file of the current directory (once per process).
int selectLocalIni();

// What the library does when it is loaded into and unloaded from a process.
void onLibraryLoad();
void onLibraryUnload();

}  // namespace quelfi::core
