// The journal printer sending a download: once the host listens at 115200 baud, the header block
// and the stream's blocks, the next on ACK, the same again on NAK or after a silence, a few times
// at most before the printer gives up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quelfi::sim::download {

class BlockSender {
  public:
    void start(const std::string& stream, std::uint32_t nowMs);
    void stop() { blocks_.clear(); }
    bool active() const { return current_ < blocks_.size(); }
    // Whether a block of this download has gone out yet.
    bool begun() const { return current_ > 0 || sent_; }

    // Whether `bytes` begin with an answer to a block (its check good), not a command frame.
    static bool isAnswer(std::string_view bytes);
    // The host's answer bytes: the block to send now, or nothing.
    std::string answer(std::string_view bytes, std::uint32_t nowMs);
    // What came behind the answer to the last block (the host's next command), once.
    std::string takeAfter() { return std::exchange(after_, {}); }
    // The line is quiet at `baud`: the block due now (the first once the host listens, the same
    // again after a silence), or nothing. At another rate than 115200 the host reads noise.
    std::string quiet(unsigned baud, std::uint32_t nowMs);

  private:
    std::string send(std::uint32_t nowMs);

    std::vector<std::string> blocks_;
    std::size_t current_ = 0;
    bool sent_ = false;  // the current block is on the line
    std::uint32_t sentAt_ = 0;
    std::uint32_t startedAt_ = 0;
    int resends_ = 0;
    std::string answer_;  // answer bytes not yet complete
    std::string after_;
};

}  // namespace quelfi::sim::download
