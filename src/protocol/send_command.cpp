#include "protocol/send_command.h"

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/frame.h"
#include "protocol/reply_reader.h"

namespace quelfi::protocol {

using core::state;

namespace {

void closeAfterCommand() {
    if (state().closeAfterCommand) core::nested([] { return core::closePort(); });
}

}  // namespace

int writeBlock(const std::string& bytes) {
    core::PrinterState& s = state();
    if (s.writeAttempts < 1 || !s.port) return 0;
    std::size_t done = 0;
    int failures = 0;
    while (done < bytes.size()) {
        const long n = s.port->write(reinterpret_cast<const std::uint8_t*>(bytes.data()) + done,
                                     bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (++failures >= s.writeAttempts) return 0;
    }
    return 1;
}

int sendCommand(const Road& road, const CommandSpec& spec) {
    core::PrinterState& s = state();
    const std::string& command = spec.command;
    s.ack = s.st1 = s.st2 = 0;
    if (s.portOpen == 0) {
        const int opened = core::nested([&] { return road.openPort(); });
        if (opened != 1) return opened;
    }
    s.replyBuffer.clear();
    // A reply that arrived after an earlier command gave up on it is not this command's answer.
    if (s.port) s.port->discardInput();

    const unsigned char c1 = command.size() > 1 ? static_cast<unsigned char>(command[1]) : 0;
    const bool keepOpen = c1 == 'P' && command.size() > 2 &&
                          (command[2] == '<' || command[2] == '=' || command[2] == '>');
    const bool noReply = c1 == 'E' || (c1 == 0x08 && command.size() > 14 &&
                                       (command[14] == 'R' || command[14] == 'r'));

    const std::string bytes =
        commandBytes(command, commandLength(command, spec.explicitLength, spec.rawLength));
    if (!writeBlock(frameHeader(bytes)) || !writeBlock(bytes) ||
        !writeBlock(frameChecksum(bytes))) {
        closeAfterCommand();
        return 0;
    }
    if (s.emulatorMode && s.port) s.port->flush();
    if (noReply) return 1;

    const int read = readReply(road, spec);
    if (!keepOpen) closeAfterCommand();
    if (s.emulatorMode && s.port) s.port->clearReply();
    return read != 0 ? 1 : 0;
}

}  // namespace quelfi::protocol
