#include "support/scripted_port.h"

namespace quelfi::test {

long ScriptedPort::write(const std::uint8_t* data, std::size_t size) {
    ScriptedLine& l = *line_;
    if (l.failingWrites > 0) {
        --l.failingWrites;
        return 0;
    }
    l.written.append(reinterpret_cast<const char*>(data), size);
    // A frame is complete when STX, the length and that many bytes have arrived.
    for (;;) {
        const std::string& w = l.written;
        if (w.size() < l.frameStart + 3) break;
        const std::size_t total = static_cast<unsigned char>(w[l.frameStart + 1]) +
                                  256u * static_cast<unsigned char>(w[l.frameStart + 2]);
        if (w.size() < l.frameStart + 3 + total) break;
        l.lastFrameStart = l.frameStart;
        l.frameStart += 3 + total;
        if (!l.replies.empty()) {
            for (char c : l.replies.front()) l.readable.push_back(static_cast<unsigned char>(c));
            l.replies.pop_front();
        }
    }
    return static_cast<long>(size);
}

bool ScriptedPort::readByte(std::uint8_t& byte) {
    if (line_->readable.empty()) return false;
    byte = line_->readable.front();
    line_->readable.pop_front();
    return true;
}

bool ScriptedPort::ctsOn() {
    ScriptedLine& l = *line_;
    ++l.ctsReads;
    if (l.ctsAlwaysLow) return false;
    if (l.ctsLowReads > 0) {
        --l.ctsLowReads;
        return false;
    }
    return true;
}

}  // namespace quelfi::test
