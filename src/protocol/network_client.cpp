#include "protocol/network_client.h"

#include <cstdio>

#include "core/config.h"
#include "core/printer_state.h"
#include "platform/platform.h"
#include "protocol/waits.h"

namespace quelfi::protocol {

using core::state;

std::string requestRecord(const ExportRow& row, const Parameters& parameters, RecordForm form) {
    char head[16];
    std::snprintf(head, sizeof head, "%03d|", row.record);
    std::string record = head;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (form == RecordForm::Joined && i > 0) record += "|";
        record += parameters[i];
        if (form == RecordForm::EachFollowed) record += "|";
    }
    return record;
}

std::string commandFilePath() {
    std::string dir;
    core::readIniValue("Sistema", "Path", dir);
    if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    // No directory: the current one, where Status.txt and Retorno.txt are looked for too.
    return dir.empty() ? std::string("Quelfi32.cmd") : dir + "\\Quelfi32.cmd";
}

int writeCommandFile(const std::string& record) {
    const std::string file = commandFilePath();
    platform::removeFile(state().statusFilePath);
    return platform::replaceFile(file, record) ? 1 : 0;
}

std::optional<std::string> awaitDriverFile(const std::string& path) {
    constexpr int attempts = 500;
    for (int tries = 1;; ++tries) {
        if (auto text = platform::readWholeFile(path)) return text;
        if (tries >= attempts) return std::nullopt;
        spinWait(100);
    }
}

int readDriverAnswer(char* buffer) {
    const std::optional<std::string> text = awaitDriverFile(state().answerFilePath);
    if (!text) return 0;
    if (!buffer) return 1;  // nowhere to copy to: the answer was read all the same
    std::size_t n = 0;
    for (const char c : *text) {
        if (static_cast<unsigned char>(c) == 0xFF) break;
        if (c == '\r' || c == '\n') continue;
        buffer[n++] = c;
    }
    return 1;
}

}  // namespace quelfi::protocol
