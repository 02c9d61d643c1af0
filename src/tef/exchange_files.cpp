#include "tef/exchange_files.h"

#include <cstdio>

#include "core/config.h"
#include "core/printer_state.h"
#include "platform/platform.h"

namespace quelfi::tef {

namespace {

constexpr std::size_t kDirectoryCapacity = 80;

std::string inDirectory(const std::string& directory, const char* name) {
    if (directory.empty()) return name;
    if (directory.back() == '\\' || directory.back() == '/') return directory + name;
    return directory + "\\" + name;
}

}  // namespace

std::string readTefKey(const std::string& key, std::size_t capacity) {
    std::string value;
    core::readIniValue("TEF", key, value, capacity);
    return value;
}

bool writeTefKey(const std::string& key, const std::string& value) {
    return core::writeIniValue("TEF", key, value);
}

void buildPaths() {
    core::TefState& tef = core::state().tef;
    const std::string requests = readTefKey("REQ", kDirectoryCapacity);
    const std::string responses = readTefKey("RESP", kDirectoryCapacity);
    tef.requestFile = inDirectory(requests, "IntPos.001");
    tef.responseFile = inDirectory(responses, "IntPos.001");
    tef.statusFile = inDirectory(responses, "IntPos.sts");
    tef.voucherFile = inDirectory(responses, "Imprime.txt");
    tef.activityFile = inDirectory(responses, "Ativo.001");
}

void ensurePaths() {
    if (core::state().tef.requestFile.empty()) buildPaths();
}

bool writeRequest(const std::string& text) {
    return platform::replaceFile(core::state().tef.requestFile, text);
}

void deleteResidues() {
    ensurePaths();
    const core::TefState& tef = core::state().tef;
    for (const std::string* file :
         {&tef.requestFile, &tef.responseFile, &tef.statusFile, &tef.voucherFile})
        platform::removeFile(*file);
}

bool exchangeFileExists(const std::string& path) {
    std::FILE* file = platform::openFile(path, "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

std::optional<std::string> readExchangeFile(const std::string& path) {
    return platform::readWholeFile(path);
}

}  // namespace quelfi::tef
