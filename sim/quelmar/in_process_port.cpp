#include "sim/quelmar/in_process_port.h"

#include <utility>

#include "sim/quelmar/codes.h"

namespace quelfi::sim {
namespace {

class Connection final : public platform::Port {
  public:
    explicit Connection(InProcessPort& port) : port_(port) {}
    long write(const std::uint8_t* data, std::size_t size) override {
        return port_.write(data, size);
    }
    bool readByte(std::uint8_t& byte) override { return port_.readByte(byte); }
    bool ctsOn() override { return port_.ctsOn(); }
    void discardInput() override { port_.discardInput(); }

  private:
    InProcessPort& port_;
};

// Tick counts wrap at 2^32; compare them by their difference.
bool reached(std::uint32_t now, std::uint32_t deadline) {
    return static_cast<std::int32_t>(now - deadline) >= 0;
}

}  // namespace

InProcessPort::InProcessPort(QuelmarPrinter& printer, platform::Platform& clock)
    : clock_(clock), printer_(printer), link_(printer) {
    printer_.useClock([&clock] { return clock.tickCount(); });
}

InProcessPort::~InProcessPort() {
    printer_.useClock(nullptr);
}

std::unique_ptr<platform::Port> InProcessPort::connection() {
    return std::make_unique<Connection>(*this);
}

long InProcessPort::write(const std::uint8_t* data, std::size_t size) {
    pending_.append(reinterpret_cast<const char*>(data), size);
    if (frameComplete()) deliverPending(false);
    return static_cast<long>(size);
}

// The library writes a frame in three blocks; the printer takes it once its length is reached.
bool InProcessPort::frameComplete() const {
    if (pending_.empty()) return false;
    if (static_cast<std::uint8_t>(pending_[0]) != codes::kStx) return true;
    if (pending_.size() < 3) return false;
    const std::size_t field = static_cast<std::uint8_t>(pending_[1]) |
                              static_cast<std::size_t>(static_cast<std::uint8_t>(pending_[2])) << 8;
    return pending_.size() >= 1 + 2 + field;
}

void InProcessPort::deliverPending(bool lineIdle) {
    frames_.push_back(pending_);
    std::string bytes = std::move(pending_);
    pending_.clear();
    const ReplyFaults faults = std::exchange(next_, ReplyFaults{});
    if (silent_) return;
    if (faults.garble && bytes.size() >= 2) bytes[bytes.size() - 2] ^= 0x01;  // checksum, low byte
    std::string reply;
    if (faults.nak) {
        reply = QuelmarPrinter::nak();
    } else {
        reply = link_.receive(bytes);
        if (lineIdle) reply += link_.idle();
    }
    if (reply.empty()) return;
    reply = applyFaults(std::move(reply), faults);
    replies_.push_back(reply);
    replyBytes_.insert(replyBytes_.end(), reply.begin(), reply.end());
    replyReadyAt_ = clock_.tickCount() + faults.lateMs;
}

std::string InProcessPort::applyFaults(std::string reply, const ReplyFaults& faults) const {
    if (faults.cutAfter && *faults.cutAfter < reply.size()) reply.resize(*faults.cutAfter);
    if (faults.lostByte && *faults.lostByte < reply.size()) reply.erase(*faults.lostByte, 1);
    return faults.garbage + reply;
}

bool InProcessPort::readByte(std::uint8_t& byte) {
    // The host listening for a reply means the line went quiet: an unfinished frame ends here.
    if (!pending_.empty()) deliverPending(true);
    if (replyBytes_.empty() || !reached(clock_.tickCount(), replyReadyAt_)) return false;
    byte = static_cast<std::uint8_t>(replyBytes_.front());
    replyBytes_.pop_front();
    return true;
}

bool InProcessPort::ctsOn() {
    if (ctsOffReads_ > 0) {
        --ctsOffReads_;
        return false;
    }
    if (ctsTimed_ && !reached(clock_.tickCount(), ctsOffUntil_)) return false;
    ctsTimed_ = false;
    return true;
}

void InProcessPort::discardInput() {
    if (reached(clock_.tickCount(), replyReadyAt_)) replyBytes_.clear();
}

void InProcessPort::dropCtsFor(std::uint32_t ms) {
    ctsTimed_ = true;
    ctsOffUntil_ = clock_.tickCount() + ms;
}

void InProcessPort::dropCtsForReads(std::size_t reads) {
    ctsOffReads_ = reads;
}
void InProcessPort::garbleNextFrame() {
    next_.garble = true;
}
void InProcessPort::answerNak() {
    next_.nak = true;
}
void InProcessPort::loseReplyByte(std::size_t index) {
    next_.lostByte = index;
}
void InProcessPort::cutReplyAfter(std::size_t bytes) {
    next_.cutAfter = bytes;
}
void InProcessPort::answerLate(std::uint32_t ms) {
    next_.lateMs = ms;
}
void InProcessPort::garbageBeforeAck(std::string bytes) {
    next_.garbage = std::move(bytes);
}
void InProcessPort::goSilent(bool silent) {
    silent_ = silent;
}

}  // namespace quelfi::sim
