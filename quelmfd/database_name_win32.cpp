// Windows: the caller's name is in the system's ANSI code page (Windows-1252 in a Brazilian shop).
#include <sqlite3.h>

#include "quelmfd/database_name.h"

// SQLite's Windows build has it without declaring it in sqlite3.h.
extern "C" char* sqlite3_win32_mbcs_to_utf8_v2(const char* text, int useAnsi);

namespace quelmfd {

std::optional<std::string> databaseName(const std::string& path) {
    char* utf8 = sqlite3_win32_mbcs_to_utf8_v2(path.c_str(), 1);
    if (!utf8) return std::nullopt;
    std::string name(utf8);
    sqlite3_free(utf8);
    return name;
}

}  // namespace quelmfd
