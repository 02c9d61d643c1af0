// The check of the journal download's blocks and answers: CRC-16/KERMIT (reflected polynomial
// 0x8408, starting at 0, no final inversion).
#pragma once

#include <cstddef>
#include <cstdint>

namespace quelfi::mfd {

std::uint16_t kermitCrc(const std::uint8_t* data, std::size_t size);

}  // namespace quelfi::mfd
