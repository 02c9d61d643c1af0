// The bytes of the scales' request and answer.
#pragma once

namespace quelfi::sim::scale_codes {

inline constexpr char kEnq = 0x05;  // the host asks for a reading
inline constexpr char kStx = 0x02;  // an answer begins
inline constexpr char kEtx = 0x03;  // an answer ends

}  // namespace quelfi::sim::scale_codes
