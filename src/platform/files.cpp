// Whole-file helpers on library paths. Portable: the only system-specific step is nativePath.
#include <cstdio>

#include "platform/platform.h"

namespace quelfi::platform {

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(nativePath(path).c_str(), mode);
}

namespace {

bool writeWith(const std::string& path, const char* mode, const std::string& bytes) {
    std::FILE* f = openFile(path, mode);
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace

bool appendToFile(const std::string& path, const std::string& bytes) {
    return writeWith(path, "ab", bytes);
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    return writeWith(path, "wb", bytes);
}

bool removeFile(const std::string& path) {
    return std::remove(nativePath(path).c_str()) == 0;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::FILE* f = openFile(path, "rb");
    if (!f) return std::nullopt;
    std::string text;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    std::fclose(f);
    return text;
}

}  // namespace quelfi::platform
