// POSIX file names are bytes, the same for SQLite as for the other outputs.
#include "quelmfd/database_name.h"

namespace quelmfd {

std::optional<std::string> databaseName(const std::string& path) {
    return path;
}

}  // namespace quelmfd
