// A library with its port open to a scripted printer, for the query members: canned replies are
// built from the reply layouts (ACK, data bytes, ST1, ST2).
#pragma once

#include <filesystem>
#include <string>

#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {

inline const std::string kSep = std::string(71, '-') + " ";

// Packed BCD bytes of an even number of digits: "1234" gives 0x12 0x34.
inline std::string bcd(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out += static_cast<char>(((digits[i] - '0') << 4) | (digits[i + 1] - '0'));
    return out;
}

// n digits that differ from position to position, so a field cut in the wrong place shows.
inline std::string digitRun(std::size_t n, int seed = 0) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i)
        out += static_cast<char>('0' + (seed + i * 7 + i / 10) % 10);
    return out;
}

// A data reply accepted with clean status.
inline std::string dataReply(const std::string& data) {
    return "\x06" + data + std::string(2, '\0');
}

class QueryTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure();
        ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
        clearLog();
    }
    void clearLog() { std::filesystem::remove(workDir() + "/QuelFI32.log"); }
    std::string answerFile() const { return readFile(workDir() + "/Retorno.txt"); }
    // The bytes written since the last call of this function.
    std::string newWire() {
        const std::string fresh = line->written.substr(seen_);
        seen_ = line->written.size();
        return fresh;
    }

  private:
    std::size_t seen_ = 0;
};

}  // namespace quelfi::test
