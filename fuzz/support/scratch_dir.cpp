#include "support/scratch_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/fuzz_input.h"

namespace quelfi::fuzz {

namespace fs = std::filesystem;

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
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(root_, ignored);
}

void ScratchDir::writeIni(const std::string& text) const {
    check(writeWholeFile(systemDir() + "/QuelFI32.ini", text), "cannot write QuelFI32.ini");
}

InWorkDir::InWorkDir() {
    std::error_code ignored;
    previous_ = fs::current_path(ignored);
    const std::string work = ScratchDir::get().workDir();
    // A call may have made the working directory disappear.
    fs::create_directories(work, ignored);
    for (const auto& entry : fs::directory_iterator(work, ignored))
        fs::remove_all(entry.path(), ignored);
    fs::current_path(work, ignored);
}

InWorkDir::~InWorkDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

}  // namespace quelfi::fuzz
