// Long answers of open length (readings, restaurant reports): status first, then text that the
// printer ends with ETX, written to the answer file in chunks as it arrives.
#include "core/answer_files.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/code_page.h"
#include "protocol/reply_reader.h"
#include "protocol/waits.h"

namespace quelfi::protocol {

using core::state;

namespace {

constexpr std::uint8_t kEtx = 0x03;
constexpr std::size_t kChunk = 1000;
constexpr int kMaxFailures = 50;
constexpr std::uint32_t kFirstByteMs = 3000;

void closePortWhenAsked() {
    if (state().closeAfterCommand) core::nested([] { return core::closePort(); });
}

}  // namespace

int readStreamReply(const Road& road, const CommandSpec& spec, const std::string& answerFile) {
    core::PrinterState& s = state();
    const bool journal = journalFraming(spec);
    s.ack = s.st1 = s.st2 = 0;
    s.lastReturnCode = 1;
    s.replyBuffer.clear();
    const std::uint32_t start = s.platform->tickCount();
    // The emulator's reply file is emptied on every way out.
    struct EmptyEmulatorReply {
        ~EmptyEmulatorReply() {
            core::closeAnswerFile();
            if (state().emulatorMode && state().port) state().port->clearReply();
        }
    } emptyOnExit;

    const int textFrom = journal ? 5 : 3;
    bool accepted = false;
    bool fileOpen = false;
    int failures = 0;
    int ext1 = 0;
    auto fail = [](int code) {
        core::closeAnswerFile();
        closePortWhenAsked();
        return code;
    };
    auto flush = [&]() -> bool {
        if (!fileOpen) {
            if (core::openAnswerFile(answerFile) != 1) return false;
            fileOpen = true;
        }
        const bool ok = core::writeAnswerFile(s.replyBuffer) == 1;
        s.replyBuffer.clear();
        return ok;
    };

    for (int i = 0;;) {
        if (accepted && waitPrinterReady(road, readyPollLimit(spec)) == 0) return fail(0);
        std::uint8_t byte = 0;
        if (!s.port || !s.port->readByte(byte)) {
            ++failures;
            if (!accepted && s.platform->tickCount() - start >= kFirstByteMs) return fail(0);
            if (failures > kMaxFailures) return fail(0);
            continue;
        }
        failures = 0;
        if (!accepted) {
            if (byte == 21) {
                s.ack = 21;
                break;
            }
            if (byte != 6) continue;
            accepted = true;
        }
        const auto b = static_cast<unsigned char>(fromPrinterCodePage(static_cast<char>(byte)));
        const int index = i++;
        if (index == 0) {
            s.ack = b;
        } else if (index == 1) {
            s.st1 = b;
        } else if (index == 2) {
            s.st2 = b;
            if (!journal && s.st2 != 0) break;  // refused: no text follows
        } else if (index == 3 && journal) {
            ext1 = b;
        } else if (index == 4 && journal) {
            s.st3 = b * 256 + ext1;
            if (s.st3 != 0) break;
        }
        // Only the text part ends at ETX: a status byte may have the same value.
        const bool end = index >= textFrom && byte == kEtx;
        if (index >= textFrom && !end) appendReply(std::string(1, static_cast<char>(b)));
        if (s.replyBuffer.size() >= kChunk || end) {
            if (!flush()) return fail(-8);
        }
        if (end) break;
    }
    core::closeAnswerFile();
    applyStatusRules(/*maskErrorBits=*/false, journal);
    closePortWhenAsked();
    return s.lastReturnCode;
}

}  // namespace quelfi::protocol
