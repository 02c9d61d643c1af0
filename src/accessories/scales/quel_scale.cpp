#include "accessories/scales/quel_scale.h"

#include "core/printer_state.h"

namespace quelfi::accessories {
namespace {

constexpr std::uint8_t kEnq = 0x05;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;

constexpr std::size_t kPortNameLength = 4;
// The scale needs a moment to weigh before it answers.
constexpr std::uint32_t kAnswerPauseMs = 400;
constexpr std::uint32_t kFrameLimitMs = 4000;

// A byte is awaited 200 ms; a write of the one request byte as long.
constexpr platform::SerialTimeouts kScaleTimeouts{1, 0, 200, 0, 200};

}  // namespace

QuelScale::~QuelScale() {
    closePort();
}

bool QuelScale::total(char*) const {
    return true;
}

bool QuelScale::unitPrice(char*) const {
    return true;
}

bool QuelScale::open(const std::string& portName) {
    if (portName.size() != kPortNameLength) return false;
    platform::LineSettings line;
    line.baud = baud_;
    line.timeouts = kScaleTimeouts;
    setLineParameters(line);
    int systemError = 0;
    port_ = core::state().platform->openSerialLine(portName, line, systemError);
    return port_ != nullptr;
}

bool QuelScale::closePort() {
    if (!port_) return true;
    const bool closed = port_->close();
    port_.reset();
    return closed;
}

bool QuelScale::requestFrame() {
    if (!port_) return false;
    platform::Platform& os = *core::state().platform;
    const std::uint8_t enq = kEnq;
    if (port_->write(&enq, 1) != 1) return false;
    os.sleep(kAnswerPauseMs);
    const std::uint32_t start = os.tickCount();
    std::uint8_t byte = 0;
    if (port_->read(&byte, 1) != 1 || byte != kStx) return false;
    frame_.clear();
    for (;;) {
        const long n = port_->read(&byte, 1);
        if (n < 0) return false;
        if (n == 1) {
            if (byte == kEtx) return true;
            frame_ += static_cast<char>(byte);
        }
        if (os.tickCount() - start >= kFrameLimitMs) return false;
    }
}

bool QuelScale::query(const std::string& portName, char* weightOut, char* priceOut,
                      char* totalOut) {
    if (!open(portName)) return false;
    const bool answered =
        requestFrame() && weight(weightOut) && unitPrice(priceOut) && total(totalOut);
    closePort();
    return answered;
}

bool QuelScale::copyField(std::size_t first, std::size_t width, char* out,
                          bool blanksToZero) const {
    if (frame_.size() < first + width) return false;
    if (!out) return true;
    for (std::size_t i = 0; i < width; ++i) {
        const char c = frame_[first + i];
        out[i] = blanksToZero && c == ' ' ? '0' : c;
    }
    return true;
}

}  // namespace quelfi::accessories
