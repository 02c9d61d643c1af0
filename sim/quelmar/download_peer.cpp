#include "sim/quelmar/download_peer.h"

#include "sim/quelmar/download_blocks.h"

namespace quelfi::sim::download {
namespace {

constexpr std::uint32_t kDataBaud = 115200;
constexpr std::uint32_t kBitsPerByte = 11;
// A block unanswered this long is sent again, a few times, then the printer gives up.
constexpr std::uint32_t kAnswerWaitMs = 500;
constexpr int kResends = 3;
constexpr std::size_t kAnswerSize = 5;
constexpr char kFrameStart = 0x02;
const std::string kReplyDone{'\x06', '\x00', '\x00'};
const std::string kReplyRefused{'\x06', '\x00', '\x01'};  // ST2: command not executed

std::string header() {
    return "QUELMAR MFD DOWNLOAD";
}

}  // namespace

class DownloadPeer::Line final : public platform::SerialLine {
  public:
    Line(DownloadPeer& peer, const platform::LineSettings& settings)
        : peer_(peer), timeouts_(settings.timeouts) {}
    long write(const std::uint8_t* data, std::size_t size) override {
        peer_.take(data, size);
        return static_cast<long>(size);
    }
    long read(std::uint8_t* data, std::size_t count) override {
        return readOnClock(
            peer_.clock_, timeouts_, data, count, [&](DueByte& due) { return peer_.next(due); },
            [&] {
                peer_.coming_.pop_front();
                if (peer_.replyBytes_ > 0) --peer_.replyBytes_;
            });
    }
    bool purge() override { return true; }
    bool setTimeouts(const platform::SerialTimeouts& timeouts) override {
        timeouts_ = timeouts;
        return true;
    }
    bool restoreTimeouts() override { return true; }
    bool close() override { return true; }

  private:
    DownloadPeer& peer_;
    platform::SerialTimeouts timeouts_;
};

std::unique_ptr<platform::SerialLine> DownloadPeer::open(const platform::LineSettings& settings) {
    baud_ = settings.baud;
    bauds.push_back(baud_);
    coming_.clear();
    replyBytes_ = 0;
    if (sending_ && !silent_) sendBlock(current_);
    return std::make_unique<Line>(*this, settings);
}

void DownloadPeer::sendBlock(std::size_t index) {
    if (index >= blocks_.size()) return;
    std::string bytes = blocks_[index];
    const bool first = index == current_ && resends_ == 0;
    // A skipped sequence comes with a good check: only its number is wrong.
    if (first && skipped_.erase(index))
        bytes = block(static_cast<std::uint8_t>(bytes[1] + 1), bytes.substr(4, bytes.size() - 6));
    if (first && spoiled_.erase(index)) bytes[bytes.size() - 1] ^= 0x5A;
    if (first && cut_.erase(index)) bytes.resize(bytes.size() / 2);
    sent.push_back(bytes);
    std::uint32_t at = clock_.tickCount();
    const std::uint64_t start = static_cast<std::uint64_t>(at) * kDataBaud;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint64_t bitTime =
            start + static_cast<std::uint64_t>(i + 1) * kBitsPerByte * 1000;
        at = static_cast<std::uint32_t>(bitTime / kDataBaud);
        coming_.push_back({bytes[i], at});
    }
    waitingSince_ = at;
}

bool DownloadPeer::next(DueByte& due) {
    if (coming_.empty() && sending_ && !silent_ && current_ < blocks_.size() &&
        clock_.tickCount() - waitingSince_ >= kAnswerWaitMs) {
        // No answer came: the same block again, a few times.
        if (++resends_ > kResends) {
            sending_ = false;
            return false;
        }
        sendBlock(current_);
    }
    if (coming_.empty()) return false;
    due = coming_.front();
    // Blocks come at 115200: at another speed the PC reads noise.
    if (replyBytes_ == 0 && baud_ != kDataBaud) due.byte = static_cast<char>(due.byte ^ 0x33);
    return true;
}

void DownloadPeer::take(const std::uint8_t* data, std::size_t size) {
    written.append(reinterpret_cast<const char*>(data), size);
    pending_.append(reinterpret_cast<const char*>(data), size);
    if (sending_) {
        // The PC's answers to blocks: start, sequence, code, CRC.
        while (pending_.size() >= kAnswerSize) {
            const std::string answer = pending_.substr(0, kAnswerSize);
            pending_.erase(0, kAnswerSize);
            const bool heard = !deaf_.erase(current_);
            if (!heard || answer[0] != kFrameStart ||
                crc(answer.substr(0, 3)) !=
                    static_cast<std::uint16_t>(static_cast<unsigned char>(answer[3]) |
                                               static_cast<unsigned char>(answer[4]) << 8))
                continue;
            resends_ = 0;
            if (answer[2] == kAnswerAck &&
                static_cast<std::uint8_t>(answer[1]) ==
                    static_cast<std::uint8_t>(blocks_[current_][1] + 1)) {
                if (++current_ >= blocks_.size()) {
                    sending_ = false;
                    return;
                }
            }
            sendBlock(current_);
        }
        return;
    }
    // A command frame: STX, length + 2 (low byte first), the command, its sum.
    if (pending_.size() < 3) return;
    const std::size_t length =
        static_cast<unsigned char>(pending_[1]) | static_cast<unsigned char>(pending_[2]) << 8;
    if (length < 2 || pending_.size() < 3 + length) return;
    const std::string command = pending_.substr(3, length - 2);
    pending_.clear();
    commands.push_back(command);
    const std::optional<std::string> stream = streams_(command);
    const std::uint32_t now = clock_.tickCount();
    const std::string& reply = stream ? kReplyDone : kReplyRefused;
    for (const char c : reply) coming_.push_back({c, now + 1});
    replyBytes_ = coming_.size();
    if (!stream) return;
    blocks_ = blocks(header(), encode(*stream));
    current_ = 0;
    resends_ = 0;
    waitingSince_ = now;
    sending_ = true;
}

}  // namespace quelfi::sim::download
