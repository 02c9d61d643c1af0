// The run-length encoding of the journal download's data. A byte other than 0xFE stands for
// itself; 0xFE 0xFE is one 0xFE; 0xFE c v (c neither 0x00 nor 0xFE) is v written c + 1 times;
// 0xFE 0x00 lo hi v is v written lo + 256 x hi + 1 times. An escape may be cut anywhere by the
// end of a block: the decoder keeps its state from one block to the next and from the fiscal
// memory's phase to the journal's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace quelfi::mfd {

class mfdRleDecoder {
  public:
    // Takes the decoded bytes; false stops the decoding (the file could not be written).
    using Sink = std::function<bool(const std::uint8_t* bytes, std::size_t count)>;

    // Decodes `size` bytes into a buffer of `capacity` bytes, handing it to `sink` whenever it
    // fills and once more at the end for what is left. False when the sink refused.
    bool decode(const std::uint8_t* data, std::size_t size, std::size_t capacity, const Sink& sink);

  private:
    enum class State { Normal, AfterEscape, CountLow, CountHigh, Value, RunPending };

    // Appends the pending run to the buffer, handing full buffers over.
    bool emitRun(std::size_t capacity, const Sink& sink);
    bool put(std::uint8_t byte, std::size_t capacity, const Sink& sink);

    static constexpr std::uint8_t kEscape = 0xFE;

    State state_ = State::Normal;
    std::uint32_t count_ = 0;  // bytes of the run still to write
    std::uint8_t value_ = 0;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace quelfi::mfd
