// A serial line straight into a virtual scale, for tests: the library opens it through the
// test platform's plugged lines, and its bytes come at the rate of the settings the library
// opened it with, on the platform's clock, so a virtual clock makes a 4-second wait take no time.
// Reads wait the way the line's time-outs say, by sleeping on that clock.
//
// The faults last until changed, for every answer.
// A test plugs it in with `platform.plugLine("COM2", [&](auto& s) { return line.open(s); })`.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "sim/scales/virtual_scale.h"

namespace quelfi::sim {

struct ScaleLineFaults {
    std::optional<std::size_t> cutFrameTo;  // the frame between STX and ETX keeps this many bytes
    bool dropStx = false;
    bool dropEtx = false;
    std::uint32_t lateMs = 0;  // the answer starts this long after the request
    // Instead of its frame, the scale sends STX and then this many digits without ETX; with
    // endless set, digits for as long as anyone reads.
    std::size_t streamBytes = 0;
    bool endless = false;
    bool unpaced = false;  // the answer is there at once, whatever the line's rate
};

class InProcessScaleLine {
  public:
    InProcessScaleLine(VirtualScale& scale, platform::Platform& clock);
    ~InProcessScaleLine();
    InProcessScaleLine(const InProcessScaleLine&) = delete;
    InProcessScaleLine& operator=(const InProcessScaleLine&) = delete;

    // A line the library can own, set as `settings` say.
    std::unique_ptr<platform::SerialLine> open(const platform::LineSettings& settings);

    void setFaults(const ScaleLineFaults& faults) { faults_ = faults; }

    // Whether a line handed out is still open; how many were opened.
    bool isOpen() const { return open_; }
    int openings() const { return openings_; }
    // The settings of the last opening.
    const platform::LineSettings& settings() const { return settings_; }
    // Every byte the library wrote.
    const std::string& written() const { return written_; }
    // Every byte the line handed to the library.
    std::size_t bytesRead() const { return bytesRead_; }

  private:
    class Connection;

    long write(const std::uint8_t* data, std::size_t size);
    long read(std::uint8_t* data, std::size_t count);
    void purge();
    void answer(std::string_view request);
    // The byte the line holds at position `index` of the answer, and when it is there.
    bool byteAt(std::size_t index, char& byte) const;
    std::uint32_t readyAt(std::size_t index) const;

    VirtualScale& scale_;
    platform::Platform& clock_;
    ScaleLineFaults faults_;
    platform::LineSettings settings_;
    platform::SerialTimeouts timeouts_;
    bool open_ = false;
    int openings_ = 0;
    std::string written_;
    std::size_t bytesRead_ = 0;

    std::string answer_;  // the answer in flight
    bool streaming_ = false;
    std::size_t streamLength_ = 0;  // SIZE_MAX: without end
    std::size_t next_ = 0;          // the next byte of the answer to read
    std::uint32_t answerStart_ = 0;
    bool paced_ = true;
};

}  // namespace quelfi::sim
