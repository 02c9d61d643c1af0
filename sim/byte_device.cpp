#include "sim/byte_device.h"

namespace quelfi::sim {

double LineShape::byteMilliseconds() const {
    if (baud == 0) return 0;
    const double bits = 1 + dataBits + (parity == 'N' ? 0 : 1) + stopBits;
    return bits * 1000.0 / baud;
}

}  // namespace quelfi::sim
