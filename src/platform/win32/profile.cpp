// Profile (INI) files through the Windows profile service itself.
#include <vector>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform {
namespace {

// The service answers a missing key with the default it is given. Two defaults that no
// configuration uses tell a missing key from a present one, even one whose value is empty.
const char* const kAbsentMark = "<quelfi:absent:1>";
const char* const kAbsentCheck = "<quelfi:absent:2>";

// The largest value taken; a longer one is cut, as the service itself cuts to its buffer.
constexpr DWORD kMaxValue = 65536;

std::string query(const std::string& file, const std::string& section, const std::string& key,
                  const char* fallback) {
    std::vector<char> buffer(512);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD got = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback,
                                                     buffer.data(), size, file.c_str());
        // A value that filled the buffer may have been cut: ask again with more room.
        if (got + 1 < size || size >= kMaxValue) return std::string(buffer.data(), got);
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::optional<std::string> readProfileString(const std::string& file, const std::string& section,
                                             const std::string& key) {
    std::string value = query(file, section, key, kAbsentMark);
    if (value != kAbsentMark) return value;
    if (query(file, section, key, kAbsentCheck) == kAbsentCheck) return std::nullopt;
    return value;
}

bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != 0;
}

}  // namespace quelfi::platform
