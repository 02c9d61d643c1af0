#include "protocol_fixture.h"

namespace quelfi::test {

std::string rateTableReply(std::initializer_list<int> rates) {
    std::string digits;
    for (int r : rates) digits += std::to_string(10000 + r).substr(1);
    digits.resize(64, '0');
    return bytes({6, static_cast<int>(rates.size())}) + bcd(digits) + bytes({0, 0});
}

std::string digitRun(std::size_t n, int seed) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i)
        out += static_cast<char>('0' + (seed + i * 7 + i / 10) % 10);
    return out;
}

void ProtocolTest::SetUp() {
    LibraryTest::SetUp();
    platform.useVirtualClock(true);
    platform.plugPort("COM1", [this] { return std::make_unique<ScriptedPort>(line); });
}

std::string ProtocolTest::newWire() {
    const std::string fresh = line->written.substr(seen_);
    seen_ = line->written.size();
    return fresh;
}

void ConnectedTest::SetUp() {
    ProtocolTest::SetUp();
    configure();
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    clearLog();
}

}  // namespace quelfi::test
