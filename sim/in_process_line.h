// A serial line straight into a virtual device, for tests: the library writes frames and reads
// replies through it without any device, and the test can make the line misbehave. Time is read
// from the Platform given, so a test's virtual clock decides when a late answer arrives or CTS
// comes back. Reads never wait: when nothing is there, readByte returns false at once and the
// library's own waits (on the same clock) do the waiting.
//
// Each reply fault applies to the reply of the next frame only; CTS and silence last as set.
// The device's own line (sim/quelmar/in_process_port.h, sim/yanco/yanco_in_process_port.h) says
// how its frames end and how one is refused.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "sim/byte_device.h"

namespace quelfi::sim {

class InProcessLine : public platform::Port {
  public:
    // What the line must know of the device's protocol.
    struct Framing {
        // Whether the bytes written so far make a whole frame: the device answers it at once.
        std::function<bool(std::string_view pending)> complete;
        // Spoils a whole frame so that its check no longer matches.
        std::function<void(std::string& frame)> garble;
        // What the device answers to a frame it cannot take.
        std::string refusal;
    };

    InProcessLine(std::unique_ptr<ByteDevice> device, Framing framing, platform::Platform& clock);
    ~InProcessLine() override;
    InProcessLine(const InProcessLine&) = delete;
    InProcessLine& operator=(const InProcessLine&) = delete;

    long write(const std::uint8_t* data, std::size_t size) override;
    bool readByte(std::uint8_t& byte) override;
    bool ctsOn() override;
    // Drops a reply already on the line; one still on its way (answerLate) arrives as sent.
    void discardInput() override;

    // A port object the library can own (it closes and reopens ports); it forwards to this one,
    // which keeps the device, the faults and the record across openings.
    std::unique_ptr<platform::Port> connection();

    // CTS reads off for `ms` milliseconds from now.
    void dropCtsFor(std::uint32_t ms);
    // CTS reads off for the next `reads` reads.
    void dropCtsForReads(std::size_t reads);
    // Corrupts the next frame on its way to the device (its check no longer matches), so the
    // device refuses it.
    void garbleNextFrame();
    // The next frame is refused (NAK) without being executed.
    void answerNak();
    // The next reply loses its byte number `index` (0 is its first byte, the ACK or DC4).
    void loseReplyByte(std::size_t index);
    // The next reply is cut after `bytes` bytes.
    void cutReplyAfter(std::size_t bytes);
    // The next reply becomes readable only `ms` milliseconds after its frame was written.
    void answerLate(std::uint32_t ms);
    // The next reply is preceded by these bytes (line noise before its first byte).
    void garbageBeforeAck(std::string bytes);
    // While silent the device takes no frame and answers nothing.
    void goSilent(bool silent = true);

    // Every frame written, exactly as the library wrote it (an unfinished one as far as it got).
    const std::vector<std::string>& frames() const { return frames_; }
    // Every reply as it was put on the line, faults included.
    const std::vector<std::string>& replies() const { return replies_; }

  protected:
    platform::Platform& clock() { return clock_; }

  private:
    struct ReplyFaults {
        bool garble = false;
        bool nak = false;
        std::optional<std::size_t> lostByte;
        std::optional<std::size_t> cutAfter;
        std::uint32_t lateMs = 0;
        std::string garbage;
    };

    void deliverPending(bool lineIdle);
    std::string applyFaults(std::string reply, const ReplyFaults& faults) const;

    platform::Platform& clock_;
    std::unique_ptr<ByteDevice> device_;
    Framing framing_;

    std::string pending_;  // bytes of the frame being written
    std::deque<char> replyBytes_;
    std::uint32_t replyReadyAt_ = 0;

    ReplyFaults next_;
    bool silent_ = false;
    std::uint32_t ctsOffUntil_ = 0;
    bool ctsTimed_ = false;
    std::size_t ctsOffReads_ = 0;

    std::vector<std::string> frames_;
    std::vector<std::string> replies_;
};

}  // namespace quelfi::sim
