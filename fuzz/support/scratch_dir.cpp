#include "support/scratch_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/fuzz_input.h"

namespace quelfi::fuzz {

namespace fs = std::filesystem;

namespace {

void removeTree() {
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(ScratchDir::get().root(), ignored);
}

}  // namespace

ScratchDir& ScratchDir::get() {
    static ScratchDir dir;
    return dir;
}

ScratchDir::ScratchDir() {
    char pattern[] = "/tmp/quelfi-fuzz-XXXXXX";
    check(::mkdtemp(pattern) != nullptr, "cannot make the scratch directory");
    root_ = pattern;
    for (const char* sub : {"/system", "/ports", "/drive-c", "/work"})
        fs::create_directory(root_ + sub);
    ::setenv("QUELFI_SYSTEM_DIR", systemDir().c_str(), 1);
    ::setenv("QUELFI_PORT_DIR", (root_ + "/ports").c_str(), 1);
    ::setenv("QUELFI_DRIVE_C", (root_ + "/drive-c").c_str(), 1);
    ::unsetenv("QUELFI_PROMPT_ANSWER");
    fs::current_path(workDir());
    std::atexit(removeTree);
}

void ScratchDir::writeIni(const std::string& text) const {
    check(writeWholeFile(systemDir() + "/QuelFI32.ini", text), "cannot write QuelFI32.ini");
}

void ScratchDir::clearWork() const {
    std::error_code ignored;
    // A call may have made the working directory disappear or changed the current directory.
    fs::create_directories(workDir(), ignored);
    fs::current_path(workDir(), ignored);
    for (const auto& entry : fs::directory_iterator(workDir(), ignored))
        fs::remove_all(entry.path(), ignored);
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

}  // namespace quelfi::fuzz
