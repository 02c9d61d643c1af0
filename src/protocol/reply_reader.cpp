#include "protocol/reply_reader.h"

#include <cstdio>

#include "core/answer_files.h"
#include "core/printer_state.h"
#include "protocol/code_page.h"
#include "protocol/table_reply.h"
#include "protocol/waits.h"

namespace quelfi::protocol {

using core::state;

namespace {

constexpr int kAck = 6;
constexpr int kNak = 21;
constexpr std::uint32_t kFirstByteTimeoutMs = 12000;

}  // namespace

void appendReply(const std::string& text) {
    std::string& buffer = state().replyBuffer;
    const std::size_t room =
        core::kReplyBufferSize - 1 - std::min(buffer.size(), core::kReplyBufferSize - 1);
    buffer.append(text, 0, std::min(room, text.size()));
}

namespace {

std::string bcd(unsigned char byte) {
    return std::string{static_cast<char>('0' + (byte >> 4)),
                       static_cast<char>('0' + (byte & 0x0F))};
}

// Where each byte of a plain (non-table) reply goes.
class PlainReply {
  public:
    PlainReply(const CommandSpec& spec, int replyLength, int trailing, bool journal)
        : length_(replyLength),
          trailing_(trailing),
          dataMode_(spec.dataMode),
          format_(spec.dataFormat),
          layout_(spec.layout),
          journal_(journal),
          leadingCountPending_(spec.leadingCount) {}

    // Processes the byte at index i; false when the reply ends here.
    bool take(int i, unsigned char byte, int& ext1, int& ext2, bool& shortEnd) {
        core::PrinterState& s = state();
        if (i == 0) {
            s.ack = byte;
            return true;
        }
        if (dataMode_ == 0) {
            if (i == 1) s.st1 = byte;
            if (i == 2) {
                s.st2 = byte;
                if (journal_ && (s.st1 & 4)) {
                    shortEnd = true;  // an error reply carries no ST3
                    return false;
                }
            }
            if (i == 3) ext1 = byte;
            if (i >= 4) ext2 = byte;
            return true;
        }
        if (layout_ == 1) {
            const int st1At = length_ - trailing_;
            if (i == st1At)
                s.st1 = byte;
            else if (i == st1At + 1)
                s.st2 = byte;
            else if (journal_ && i == length_ - 2)
                ext1 = byte;
            else if (journal_ && i == length_ - 1)
                ext2 = byte;
            else if (i < st1At)
                appendData(byte);
            return true;
        }
        switch (i) {
            case 1:
                s.st1 = byte;
                break;
            case 2:
                s.st2 = byte;
                break;
            case 3:
                ext1 = byte;
                break;
            case 4:
                ext2 = byte;
                break;
            default:
                if (format_ == 1) {
                    appendReply(bcd(byte));
                } else {
                    appendReply(std::to_string(byte) + ",");
                }
        }
        return true;
    }

  private:
    void appendData(unsigned char byte) {
        if (leadingCountPending_) {
            leadingCountPending_ = false;
            appendReply(byte < 10 ? "0" + std::to_string(byte) : std::to_string(byte));
            return;
        }
        appendReply(decodeDataByte(byte, format_));
    }

    int length_;
    int trailing_;
    int dataMode_;
    int format_;
    int layout_;
    bool journal_;
    bool leadingCountPending_;  // the first data byte is still to come
};

}  // namespace

std::string decodeDataByte(unsigned char byte, int dataFormat) {
    char text[8];
    switch (dataFormat) {
        case 1:
            return bcd(byte);
        case 2:
            return byte == 0 ? std::string() : std::string(1, static_cast<char>(byte));
        case 3:
            std::snprintf(text, sizeof text, "%x", byte);
            return text;
        default:
            std::snprintf(text, sizeof text, "%03d", byte);
            return text;
    }
}

std::string statusLine(bool journal) {
    const core::PrinterState& s = state();
    if (s.ack == kNak) return "21";
    std::string line =
        std::to_string(s.ack) + "," + std::to_string(s.st1) + "," + std::to_string(s.st2);
    if (journal) line += "," + std::to_string(s.st3);
    return line;
}

void applyStatusRules(bool maskErrorBits, bool journal) {
    core::PrinterState& s = state();
    if (!(s.ack == kAck && s.st1 == 0 && s.st2 == 0) && s.statusInReturnCode)
        s.lastReturnCode = -27;
    if (s.networkMode == 2) return;
    if (maskErrorBits && s.printerType != 0 && !s.statusErroMode && (s.st1 & 4) && (s.st2 & 1)) {
        s.st1 &= ~4;
        s.st2 &= ~1;
    }
    if (s.statusToFile) core::writeStatusFile(statusLine(journal));
}

int readReply(const Road& road, const CommandSpec& spec) {
    core::PrinterState& s = state();
    s.replyBuffer.clear();
    s.ack = s.st1 = s.st2 = s.st3 = 0;
    s.lastReturnCode = 1;
    const bool journal = journalFraming(spec);
    const int trailing = journal ? 4 : 2;
    // A command whose answer is streamed afterwards (replyLength 0) reads nothing here, not even
    // the journal's status word: the stream reader takes the status with the text.
    const int replyLength = spec.replyLength <= 0 ? 0 : spec.replyLength + (journal ? 2 : 0);
    const std::uint32_t start = s.platform->tickCount();

    int ext1 = 0, ext2 = 0;
    bool shortEnd = false;
    PlainReply plain(spec, replyLength, trailing, journal);
    TableReply table(spec.tableCommand, replyLength, trailing);
    bool accepted = false;
    int failures = 0;
    for (int i = 0; i < replyLength;) {
        if (accepted && !spec.probe && waitPrinterReady(road, readyPollLimit(spec)) == 0) return 0;
        std::uint8_t byte = 0;
        if (!s.port || !s.port->readByte(byte)) {
            if (!accepted && s.platform->tickCount() - start >= kFirstByteTimeoutMs) return 0;
            ++failures;
            spinWait(1000);
            if (failures > s.replyAttempts) return 0;
            if (spec.tableCommand == 'L') {
                const auto at = [&](int k) -> int {
                    return k >= 0 && static_cast<std::size_t>(k) < s.replyBuffer.size()
                               ? static_cast<signed char>(
                                     s.replyBuffer[static_cast<std::size_t>(k)])
                               : 0;
                };
                if (at(1) & 32) return 0;
                if ((at(1) & 1) && failures > 4) {
                    s.st1 = at(i - 2);
                    s.st2 = at(i - 1);
                    return 1;
                }
            }
            continue;
        }
        failures = 0;
        if (!accepted) {
            if (byte == kNak) {
                s.ack = kNak;
                break;
            }
            if (byte != kAck) continue;  // noise before the acknowledge
            accepted = true;
        }
        if (spec.tableLayout) {
            table.take(i, byte, ext1, ext2);
        } else if (!plain.take(i, byte, ext1, ext2, shortEnd)) {
            break;
        }
        ++i;
    }

    fromPrinterCodePage(s.replyBuffer);
    if (journal) s.st3 = shortEnd ? 1 : ext2 * 256 + ext1;
    applyStatusRules(/*maskErrorBits=*/true, journal);
    return s.lastReturnCode;
}

}  // namespace quelfi::protocol
