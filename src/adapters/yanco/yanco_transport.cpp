#include "adapters/yanco/yanco_transport.h"

#include <cstdint>
#include <cstdio>

#include "core/answer_files.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/network_client.h"
#include "protocol/send_command.h"
#include "protocol/waits.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;
constexpr std::uint8_t kDc4 = 0x14;
constexpr std::uint8_t kNak = 0x15;
constexpr char kEtb = 0x17;
constexpr int kAck = 6;
constexpr int kMissesAllowed = 21;
// A read that finds nothing waits as long as an empty read of the serial line takes in all.
constexpr std::uint32_t kMissPauseMs = 1000;
// The readings whose frames the caller reads itself, one at a time.
constexpr std::string_view kMultiFrameCodes[] = {"2D", "2F"};

bool multiFrame(std::string_view text) {
    for (std::string_view code : kMultiFrameCodes)
        if (text.substr(0, 2) == code) return true;
    return false;
}

void closeAfterCommand() {
    if (state().closeAfterCommand) core::nested([] { return core::closePort(); });
}

// The four digits of the tick counter that number a frame.
std::string sequenceNumber() {
    char text[16];
    std::snprintf(text, sizeof text, "%04u",
                  static_cast<unsigned>(state().platform->tickCount() % 10000u));
    return text;
}

bool writeByte(std::uint8_t byte) {
    return protocol::writeBlock(std::string(1, static_cast<char>(byte))) == 1;
}

// The raw request the driver program runs: the command, ETB and the reply flag.
int sendToDriver(const YancoCommand& command) {
    return protocol::writeCommandFile(command.text + kEtb + (command.parseStatus ? '1' : '0'));
}

enum class FrameEnd { Complete, Refused, Missing };

// Reads bytes up to the frame's ETX (or a NAK) into the reply buffer, dropping what comes before
// the DC4. Missing when the ready wait gives up, after 21 empty reads in a row, or when the bytes
// outrun the buffer (noise that never ends, a frame that never closes).
FrameEnd readFrame(const protocol::Road& road, int busyClass) {
    core::PrinterState& s = state();
    protocol::CommandSpec wait;
    wait.busyClass = busyClass;
    const int limit = protocol::readyPollLimit(wait);
    std::size_t taken = 0;
    int misses = 0;
    bool started = false;
    for (;;) {
        if (s.probeMode != 1 && protocol::waitPrinterReady(road, limit) != 1)
            return FrameEnd::Missing;
        std::uint8_t byte = 0;
        if (!s.port || !s.port->readByte(byte)) {
            if (++misses >= kMissesAllowed) return FrameEnd::Missing;
            protocol::spinWait(kMissPauseMs);
            continue;
        }
        misses = 0;
        if (++taken > kReplyFrameMax) return FrameEnd::Missing;
        if (byte == kNak) return FrameEnd::Refused;
        if (byte == kDc4) started = true;
        if (started) s.replyBuffer += static_cast<char>(byte);
        if (byte == kEtx) return FrameEnd::Complete;
    }
}

// The two check bytes after the ETX: read and not checked.
void skipCheckBytes() {
    core::PrinterState& s = state();
    std::uint8_t ignored = 0;
    for (int k = 0; k < 2 && s.port; ++k) s.port->readByte(ignored);
}

int statusNumber() {
    const std::string digits = replyAt(kReplyStatusAt, 2);
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// One frame read, its status taken and judged, the status file written: lastReturnCode, or 0.
int readAndJudge(const protocol::Road& road, bool parseStatus, int busyClass) {
    core::PrinterState& s = state();
    s.replyBuffer.clear();
    s.ack = s.st1 = s.st2 = 0;
    s.lastReturnCode = 1;
    const FrameEnd end = readFrame(road, busyClass);
    if (end == FrameEnd::Missing) return 0;
    if (end == FrameEnd::Complete) {
        skipCheckBytes();
        s.ack = s.replyBuffer.empty() ? 0 : static_cast<signed char>(s.replyBuffer[0]);
        if (s.ack == kDc4) s.ack = kAck;
        if (parseStatus) {
            s.st1 = statusNumber();
            s.st2 = s.st1 != 0 ? 1 : 0;
        }
    } else {
        s.ack = kNak;
    }
    s.yancoReply = {s.ack, s.st1, s.st2};
    if ((s.ack != kAck || s.st1 != 0 || s.st2 != 0) && s.statusInReturnCode) s.lastReturnCode = -27;
    if (s.networkMode != 2 && s.statusToFile)
        core::writeStatusFile(end == FrameEnd::Refused
                                  ? std::to_string(s.ack)
                                  : std::to_string(s.ack) + "," + std::to_string(s.st1) + "," +
                                        std::to_string(s.st2));
    return s.lastReturnCode;
}

}  // namespace

std::string replyAt(std::size_t position, std::size_t length) {
    const std::string& frame = state().replyBuffer;
    return position < frame.size() ? frame.substr(position, length) : std::string();
}

std::string replyData() {
    std::string data = replyAt(kReplyDataAt, std::string::npos);
    if (!data.empty() && static_cast<std::uint8_t>(data.back()) == kEtx) data.pop_back();
    return data;
}

int sendYancoCommand(const protocol::Road& road, const YancoCommand& command) {
    core::PrinterState& s = state();
    s.ack = s.st1 = s.st2 = 0;
    s.replyBuffer.clear();
    if (s.networkMode == 1) return sendToDriver(command);
    if (s.portOpen == 0) {
        const int opened = core::nested([&] { return road.openPort(); });
        if (opened != 1) return opened;
    }
    if (!s.port) return 0;
    // A reply that arrived after an earlier command gave up on it is not this command's answer.
    s.port->discardInput();

    std::string frame(1, static_cast<char>(kStx));
    frame += sequenceNumber();
    frame += command.text;
    frame += static_cast<char>(kEtx);
    std::uint16_t sum = 0;
    for (char c : frame) sum = static_cast<std::uint16_t>(sum + static_cast<std::uint8_t>(c));
    frame += static_cast<char>(sum >> 8);
    frame += static_cast<char>(sum & 0xFF);

    s.port->raiseRts();
    for (char c : frame) {
        if (!writeByte(static_cast<std::uint8_t>(c))) {
            closeAfterCommand();
            return 0;
        }
    }
    if (multiFrame(command.text)) return 1;
    const int read = readAndJudge(road, command.parseStatus, command.busyClass);
    closeAfterCommand();
    return read == 0 ? 0 : 1;
}

int readYancoReply(const protocol::Road& road, bool parseStatus, int busyClass) {
    return readAndJudge(road, parseStatus, busyClass);
}

int appendYancoReplyToAnswerFile(const protocol::Road& road, bool parseStatus, bool& last) {
    core::PrinterState& s = state();
    last = true;
    const int read = readAndJudge(road, parseStatus, 0);
    if (read != 0 && s.ack == kAck) last = replyAt(kFrameMarkAt, 1) != std::string(1, kMoreFrames);
    // The port stays open until the answer's last frame has come.
    if (last) closeAfterCommand();
    if (read == 0 || s.ack != kAck) return read;

    std::string frame = s.replyBuffer;
    if (frame.size() >= 2) frame.replace(frame.size() - 2, 2, "\r\n");
    const std::size_t from = replyAt(kReplyCodeAt, 2) == "2F" ? kReplyDataAt : kReplyStatusAt;
    const std::string text = from < frame.size() ? frame.substr(from) : std::string();
    if (core::openAnswerFile(s.answerFilePath) != 1) return -8;
    const int written = core::writeAnswerFile(text);
    core::closeAnswerFile();
    return written == 1 ? s.lastReturnCode : -8;
}

}  // namespace quelfi::yanco
