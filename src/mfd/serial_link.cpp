#include "mfd/serial_link.h"

#include "core/printer_state.h"

namespace quelfi::mfd {
namespace {

constexpr std::uint32_t kQueueBytes = 65536;

// A silent line must not hold a point of sale: the first byte of an answer is awaited as long as
// the download waits for any reply byte, and a block ends once its bytes stop for a moment.
constexpr std::uint32_t kFirstByteMs = 2000;
constexpr std::uint32_t kQuietMs = 10;
// Writes: a second per byte, as the port was always set.
constexpr std::uint32_t kWritePerByteMs = 1000;
constexpr std::uint32_t kWriteConstantMs = 1;
// The Windows tick counter moves in steps of about 16 ms: a read that ended this near its total is
// taken for one the total ended, and the next read looks again.
constexpr std::uint32_t kTickStepMs = 16;
// Start bit, 8 data bits, two stop bits.
constexpr std::uint64_t kBitsPerByte = 11;

// A read that ends when the line has been quiet kQuietMs, or after `totalMs` whatever comes.
constexpr platform::SerialTimeouts readingFor(std::uint32_t totalMs) {
    return {kQuietMs, 0, totalMs, kWritePerByteMs, kWriteConstantMs};
}

}  // namespace

CWinSerialInterface::~CWinSerialInterface() {
    close();
}

bool CWinSerialInterface::open(std::uint32_t baud) {
    close();
    platform::LineSettings settings;
    settings.baud = baud;
    settings.dataBits = 8;
    settings.parity = platform::Parity::None;
    settings.stopBits = platform::StopBits::Two;
    settings.ctsFlow = false;
    settings.dsrFlow = false;
    settings.dtr = false;
    settings.rts = true;
    settings.inputQueue = kQueueBytes;
    settings.outputQueue = kQueueBytes;
    settings.timeouts = readingFor(kFirstByteMs);
    int systemError = 0;
    line_ = core::state().platform->openSerialLine(deviceName(), settings, systemError);
    if (!line_) return false;
    current_ = settings.timeouts;
    baud_ = baud == 0 ? 1 : baud;
    if (!line_->purge()) return false;
    openName_ = deviceName();
    return true;
}

bool CWinSerialInterface::close() {
    if (!line_) return true;
    const bool restored = line_->restoreTimeouts();
    const bool closed = line_->close();
    line_.reset();
    openName_.clear();
    return restored && closed;
}

bool CWinSerialInterface::write(const std::uint8_t* bytes, std::size_t count,
                                std::uint32_t /*timeoutMs*/) {
    if (count == 0) return line_ != nullptr;
    if (!line_ || !bytes) return false;
    return line_->write(bytes, count) == static_cast<long>(count);
}

bool CWinSerialInterface::read(std::uint8_t* bytes, std::size_t count, std::uint32_t /*timeoutMs*/,
                               std::size_t& received) {
    received = 0;
    if (!line_ || (!bytes && count > 0)) return false;
    platform::Platform& os = *core::state().platform;
    // Only plain time-outs (an interval and a total) are used: every driver keeps those alike.
    std::uint32_t totalMs = kFirstByteMs;
    while (received < count) {
        if (!useTimeouts(readingFor(totalMs))) return false;
        const std::uint32_t start = os.tickCount();
        const long n = line_->read(bytes + received, count - received);
        if (n < 0) return false;
        received += static_cast<std::size_t>(n);
        // Nothing came, or the quiet interval ended the read before its total: the line is quiet.
        if (n == 0 || os.tickCount() - start + kTickStepMs < totalMs) break;
        // The total ran out while bytes were still coming: read on for what the rest takes.
        const std::uint64_t rest = count - received;
        totalMs =
            static_cast<std::uint32_t>((rest * kBitsPerByte * 1000 + baud_ - 1) / baud_) + kQuietMs;
    }
    return true;
}

bool CWinSerialInterface::purge() {
    return line_ && line_->purge();
}

bool CWinSerialInterface::useTimeouts(const platform::SerialTimeouts& timeouts) {
    if (current_ == timeouts) return true;
    if (!line_->setTimeouts(timeouts)) return false;
    current_ = timeouts;
    return true;
}

}  // namespace quelfi::mfd
