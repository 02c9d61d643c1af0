// The journal printer's side of a download on an in-process serial line, for tests: it takes the
// download command at 9600 baud, answers it, and once the PC listens at 115200 sends the header
// block and the stream's blocks paced at 11 bits a byte; the next block on ACK, the same one on
// NAK or after a silence. The peer outlives the line's openings (the download opens the port
// twice a phase), and a test can make it misbehave.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "sim/clocked_read.h"

namespace quelfi::sim::download {

class DownloadPeer {
  public:
    // The decoded stream a download command asks for (the command's bytes, ESC first); nothing
    // when the printer refuses it.
    using Streams = std::function<std::optional<std::string>(std::string_view command)>;

    DownloadPeer(Streams streams, platform::Platform& clock)
        : streams_(std::move(streams)), clock_(clock) {}

    std::unique_ptr<platform::SerialLine> open(const platform::LineSettings& settings);

    // Faults, by the block's place in the phase (0 the header block), each on its first sending.
    void spoilBlock(std::size_t index) { spoiled_.insert(index); }
    void loseAnswerTo(std::size_t index) { deaf_.insert(index); }
    void skipSequenceAt(std::size_t index) { skipped_.insert(index); }
    void cutBlock(std::size_t index) { cut_.insert(index); }
    // Answers commands but sends no block.
    void goSilent() { silent_ = true; }

    // Every byte the PC wrote, each command taken, and each block as sent, faults included.
    std::string written;
    std::vector<std::string> commands;
    std::vector<std::string> sent;
    std::vector<std::uint32_t> bauds;

  private:
    class Line;
    friend class Line;

    void take(const std::uint8_t* data, std::size_t size);
    void sendBlock(std::size_t index);
    bool next(DueByte& due);

    Streams streams_;
    platform::Platform& clock_;
    std::uint32_t baud_ = 9600;
    std::string pending_;              // PC bytes not yet understood
    std::vector<std::string> blocks_;  // the phase's blocks, once asked for
    std::size_t current_ = 0;
    bool sending_ = false;  // blocks go out once the PC listens at 115200
    std::uint32_t waitingSince_ = 0;
    int resends_ = 0;
    std::deque<DueByte> coming_;
    std::size_t replyBytes_ = 0;  // at the front of coming_: the command's reply, sent at 9600
    std::set<std::size_t> spoiled_, deaf_, skipped_, cut_;
    bool silent_ = false;
};

}  // namespace quelfi::sim::download
