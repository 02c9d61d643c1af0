// What the scale tests share: the reading they weigh, and caller buffers that show what an export
// wrote into them and where it stopped.
#pragma once

#include <cstring>
#include <string>

#include "sim/scales/virtual_scale.h"

namespace quelfi::test {

// 2,000 kg at R$ 12,90 the kilo.
inline const sim::PlateReading kTwoKilos{2000, 1290, sim::PlateState::Stable};

struct ScaleBuffers {
    char peso[8], preco[8], total[8];
    ScaleBuffers() { std::memset(this, '#', sizeof *this); }
    std::string all() const {
        return std::string(peso, 8) + "|" + std::string(preco, 8) + "|" + std::string(total, 8);
    }
};

}  // namespace quelfi::test
