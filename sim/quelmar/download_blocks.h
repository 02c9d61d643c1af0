// The journal printer's side of the download's encoding: the stream run-length encoded, cut into
// blocks of 4096 data bytes behind a full header block 0, each block with its sequence, length
// and CRC-16/KERMIT. Kept apart from the library's decoder so each checks the other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quelfi::sim::download {

inline constexpr std::size_t kDataPerBlock = 4096;
inline constexpr char kBlockStart = 0x02;
inline constexpr char kAnswerAck = 0x06;
inline constexpr char kAnswerNak = 0x15;

// CRC-16/KERMIT, bit by bit.
std::uint16_t crc(const std::string& bytes);

// Runs of three or more bytes, and every 0xFE, as escapes; the rest as they are. The encoded
// length is never a multiple of 4096, so the last block always has 1 to 4095 bytes.
std::string encode(const std::string& stream);

// One block: start, sequence, length (low byte first), data, CRC of all before it.
std::string block(std::uint8_t sequence, const std::string& data);

// The header block 0 (4096 bytes naming the printer) and the encoded stream's blocks.
std::vector<std::string> blocks(const std::string& header, const std::string& encoded);

}  // namespace quelfi::sim::download
