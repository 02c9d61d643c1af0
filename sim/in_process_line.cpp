#include "sim/in_process_line.h"

#include <utility>

namespace quelfi::sim {
namespace {

class Connection final : public platform::Port {
  public:
    explicit Connection(InProcessLine& line) : line_(line) {}
    long write(const std::uint8_t* data, std::size_t size) override {
        return line_.write(data, size);
    }
    bool readByte(std::uint8_t& byte) override { return line_.readByte(byte); }
    bool ctsOn() override { return line_.ctsOn(); }
    void discardInput() override { line_.discardInput(); }

  private:
    InProcessLine& line_;
};

// Tick counts wrap at 2^32; compare them by their difference.
bool reached(std::uint32_t now, std::uint32_t deadline) {
    return static_cast<std::int32_t>(now - deadline) >= 0;
}

}  // namespace

InProcessLine::InProcessLine(std::unique_ptr<ByteDevice> device, Framing framing,
                             platform::Platform& clock)
    : clock_(clock), device_(std::move(device)), framing_(std::move(framing)) {}

InProcessLine::~InProcessLine() = default;

std::unique_ptr<platform::Port> InProcessLine::connection() {
    return std::make_unique<Connection>(*this);
}

long InProcessLine::write(const std::uint8_t* data, std::size_t size) {
    pending_.append(reinterpret_cast<const char*>(data), size);
    if (framing_.complete(pending_)) deliverPending(false);
    return static_cast<long>(size);
}

void InProcessLine::deliverPending(bool lineIdle) {
    frames_.push_back(pending_);
    std::string bytes = std::move(pending_);
    pending_.clear();
    const ReplyFaults faults = std::exchange(next_, ReplyFaults{});
    if (silent_) return;
    if (faults.garble) framing_.garble(bytes);
    std::string reply;
    if (faults.nak) {
        reply = framing_.refusal;
    } else {
        reply = device_->receive(bytes);
        if (lineIdle) reply += device_->idle();
    }
    if (reply.empty()) return;
    reply = applyFaults(std::move(reply), faults);
    replies_.push_back(reply);
    replyBytes_.insert(replyBytes_.end(), reply.begin(), reply.end());
    replyReadyAt_ = clock_.tickCount() + faults.lateMs;
}

std::string InProcessLine::applyFaults(std::string reply, const ReplyFaults& faults) const {
    if (faults.cutAfter && *faults.cutAfter < reply.size()) reply.resize(*faults.cutAfter);
    if (faults.lostByte && *faults.lostByte < reply.size()) reply.erase(*faults.lostByte, 1);
    return faults.garbage + reply;
}

bool InProcessLine::readByte(std::uint8_t& byte) {
    // The host listening for a reply means the line went quiet: an unfinished frame ends here.
    if (!pending_.empty()) deliverPending(true);
    if (replyBytes_.empty() || !reached(clock_.tickCount(), replyReadyAt_)) return false;
    byte = static_cast<std::uint8_t>(replyBytes_.front());
    replyBytes_.pop_front();
    return true;
}

bool InProcessLine::ctsOn() {
    if (ctsOffReads_ > 0) {
        --ctsOffReads_;
        return false;
    }
    if (ctsTimed_ && !reached(clock_.tickCount(), ctsOffUntil_)) return false;
    ctsTimed_ = false;
    return true;
}

void InProcessLine::discardInput() {
    if (reached(clock_.tickCount(), replyReadyAt_)) replyBytes_.clear();
}

void InProcessLine::dropCtsFor(std::uint32_t ms) {
    ctsTimed_ = true;
    ctsOffUntil_ = clock_.tickCount() + ms;
}

void InProcessLine::dropCtsForReads(std::size_t reads) {
    ctsOffReads_ = reads;
}
void InProcessLine::garbleNextFrame() {
    next_.garble = true;
}
void InProcessLine::answerNak() {
    next_.nak = true;
}
void InProcessLine::loseReplyByte(std::size_t index) {
    next_.lostByte = index;
}
void InProcessLine::cutReplyAfter(std::size_t bytes) {
    next_.cutAfter = bytes;
}
void InProcessLine::answerLate(std::uint32_t ms) {
    next_.lateMs = ms;
}
void InProcessLine::garbageBeforeAck(std::string bytes) {
    next_.garbage = std::move(bytes);
}
void InProcessLine::goSilent(bool silent) {
    silent_ = silent;
}

}  // namespace quelfi::sim
