// A port whose printer side is a script: each complete frame written releases the next canned
// reply. Tests see every byte written, and can hold CTS low or make writes fail.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "platform/port.h"
#include "support/wire_bytes.h"

namespace quelfi::test {

struct ScriptedLine {
    std::string written;              // every byte the library wrote
    std::deque<std::string> replies;  // released one per complete frame
    std::deque<unsigned char> readable;
    int ctsLowReads = 0;  // CTS reads that report low before it goes high
    bool ctsAlwaysLow = false;
    int failingWrites = 0;  // writes that fail before they work again
    int ctsReads = 0;
    std::size_t frameStart = 0;

    void reply(const std::string& bytes) { replies.push_back(bytes); }
    // The frames written, each as its bytes.
    std::string lastFrame() const { return written.substr(lastFrameStart); }
    std::size_t lastFrameStart = 0;
};

class ScriptedPort : public platform::Port {
  public:
    explicit ScriptedPort(std::shared_ptr<ScriptedLine> line) : line_(std::move(line)) {}
    long write(const std::uint8_t* data, std::size_t size) override;
    bool readByte(std::uint8_t& byte) override;
    bool ctsOn() override;

  private:
    std::shared_ptr<ScriptedLine> line_;
};

}  // namespace quelfi::test
