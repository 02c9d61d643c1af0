#include "sim/quelmar/download_sender.h"

#include <utility>

#include "sim/quelmar/download_blocks.h"

namespace quelfi::sim::download {
namespace {

constexpr unsigned kDataBaud = 115200;
constexpr std::uint32_t kAnswerWaitMs = 1000;
constexpr int kResends = 3;
constexpr std::size_t kAnswerSize = 5;
constexpr char kNoiseMask = 0x55;
// The host closes the port after the command's answer and opens it again at the data rate: the
// first block waits for that a moment before it goes out at whatever rate the line has.
constexpr std::uint32_t kRateChangeMs = 1500;

std::string header() {
    return "QUELMAR MFD DOWNLOAD";
}

}  // namespace

bool BlockSender::isAnswer(std::string_view bytes) {
    if (bytes.size() < kAnswerSize || bytes[0] != kBlockStart) return false;
    const auto check = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[3]) |
                                                  static_cast<unsigned char>(bytes[4]) << 8);
    return crc(std::string(bytes.substr(0, 3))) == check;
}

void BlockSender::start(const std::string& stream, std::uint32_t nowMs) {
    blocks_ = blocks(header(), encode(stream));
    startedAt_ = nowMs;
    current_ = 0;
    sent_ = false;
    resends_ = 0;
    answer_.clear();
}

std::string BlockSender::send(std::uint32_t nowMs) {
    sent_ = true;
    sentAt_ = nowMs;
    return blocks_[current_];
}

std::string BlockSender::answer(std::string_view bytes, std::uint32_t nowMs) {
    if (!active()) return {};
    answer_.append(bytes);
    std::string out;
    while (answer_.size() >= kAnswerSize && active()) {
        const std::string a = answer_.substr(0, kAnswerSize);
        answer_.erase(0, kAnswerSize);
        if (!isAnswer(a)) continue;
        resends_ = 0;
        const auto next = static_cast<std::uint8_t>(blocks_[current_][1] + 1);
        if (a[2] == kAnswerAck && static_cast<std::uint8_t>(a[1]) == next) {
            ++current_;
            sent_ = false;
            if (!active()) {
                after_ = std::exchange(answer_, {});
                return {};
            }
        }
        out = send(nowMs);
    }
    return out;
}

std::string BlockSender::quiet(unsigned baud, std::uint32_t nowMs) {
    if (!active()) return {};
    if (!sent_ && baud != kDataBaud && nowMs - startedAt_ < kRateChangeMs) return {};
    if (sent_) {
        if (nowMs - sentAt_ < kAnswerWaitMs) return {};
        if (++resends_ > kResends) {
            stop();
            return {};
        }
    }
    std::string block = send(nowMs);
    if (baud != kDataBaud)
        for (char& c : block) c = static_cast<char>(c ^ kNoiseMask);
    return block;
}

}  // namespace quelfi::sim::download
