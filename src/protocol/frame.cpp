#include "protocol/frame.h"

#include "core/printer_state.h"

namespace quelfi::protocol {

int commandLength(const std::string& command, int explicitLength, int rawLength) {
    const core::PrinterState& s = core::state();
    const unsigned char c1 = command.size() > 1 ? static_cast<unsigned char>(command[1]) : 0;
    int n;
    if (c1 == '?') {
        n = rawLength + 64;
    } else {
        if (c1 == 0)
            n = s.printerType != 0 ? 141 : 31;
        else if (c1 == '^')
            n = rawLength;
        else
            n = static_cast<int>(command.find('\0') == std::string::npos ? command.size()
                                                                         : command.find('\0'));
        if (c1 == '@') n = 20;
    }
    if (explicitLength != 0) n = explicitLength;
    if (c1 == '<') n = 3;
    if (c1 == '#' && (command.size() < 3 || command[2] == '\0')) n += 1;
    // The length travels as a signed 16-bit number that includes the checksum.
    if (n < 0) n = 0;
    if (n > 32765) n = 32765;
    return n;
}

std::string commandBytes(const std::string& command, int length) {
    std::string bytes = command.substr(0, static_cast<std::size_t>(length < 0 ? 0 : length));
    bytes.resize(static_cast<std::size_t>(length < 0 ? 0 : length), '\0');
    return bytes;
}

std::string frameHeader(const std::string& bytes) {
    const unsigned total = static_cast<unsigned>(bytes.size() + 2);
    return std::string{0x02, static_cast<char>(total & 0xFF),
                       static_cast<char>((total >> 8) & 0xFF)};
}

std::string frameChecksum(const std::string& bytes) {
    unsigned sum = 0;
    for (unsigned char b : bytes) sum = (sum + b) & 0xFFFF;
    return std::string{static_cast<char>(sum & 0xFF), static_cast<char>(sum >> 8)};
}

std::string prefixed(const std::string& body) {
    return std::string(1, core::state().mfdPrinter ? kFs : kEsc) + body;
}

}  // namespace quelfi::protocol
