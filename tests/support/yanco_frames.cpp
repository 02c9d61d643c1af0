#include "support/yanco_frames.h"

#include <cstdint>

namespace quelfi::test {
namespace {

std::string withSum(std::string frame) {
    unsigned sum = 0;
    for (char c : frame) sum += static_cast<std::uint8_t>(c);
    frame += static_cast<char>(sum >> 8 & 0xFF);
    frame += static_cast<char>(sum & 0xFF);
    return frame;
}

}  // namespace

std::string yancoFrame(std::string_view sequence, std::string_view command) {
    return withSum("\x02" + std::string(sequence) + std::string(command) + "\x03");
}

std::string yancoReply(std::string_view sequence, char mark, std::string_view code,
                       std::string_view body) {
    return withSum("\x14" + std::string(sequence) + mark + std::string(code) + std::string(body) +
                   "\x03");
}

}  // namespace quelfi::test
