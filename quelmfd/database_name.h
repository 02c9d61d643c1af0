// The destination's name as SQLite takes it: a caller names files in its own 8-bit code page,
// as the text and RTF outputs open them; SQLite on Windows reads its names as UTF-8.
#pragma once

#include <optional>
#include <string>

namespace quelmfd {

// Nothing when the name cannot be converted.
std::optional<std::string> databaseName(const std::string& path);

}  // namespace quelmfd
