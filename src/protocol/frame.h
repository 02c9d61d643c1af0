// The command frame: STX, the length, the command bytes, the checksum.
#pragma once

#include <string>

namespace quelfi::protocol {

inline constexpr char kEsc = 0x1B;  // prefix of printers without electronic journal
inline constexpr char kFs = 0x1C;   // prefix of electronic-journal printers

// How many command bytes are sent for `command`: the length rules by command number (a '?' or '^'
// command by its variable tail of `rawLength` bytes), or `explicitLength` when it is not 0.
int commandLength(const std::string& command, int explicitLength, int rawLength);

// The command bytes padded with NULs (or cut) to `length`.
std::string commandBytes(const std::string& command, int length);

// The 3-byte header (STX, N + 2 low byte first) and 2-byte checksum of `bytes`.
std::string frameHeader(const std::string& bytes);
std::string frameChecksum(const std::string& bytes);

// The printer's prefix byte followed by `body`.
std::string prefixed(const std::string& body);

}  // namespace quelfi::protocol
