#include "accessories/scales/quel_cs_scale.h"

namespace quelfi::accessories {
namespace {

constexpr std::size_t kFieldWidth = 6;
constexpr std::size_t kWeightAt = 0;
constexpr std::size_t kPriceAt = 7;
constexpr std::size_t kTotalAt = 14;

}  // namespace

bool QuelCSScale::weight(char* out) const {
    return copyField(kWeightAt, kFieldWidth, out, true);
}

bool QuelCSScale::unitPrice(char* out) const {
    return copyField(kPriceAt, kFieldWidth, out, true);
}

bool QuelCSScale::total(char* out) const {
    return copyField(kTotalAt, kFieldWidth, out, true);
}

void QuelCSScale::setLineParameters(platform::LineSettings& line) const {
    line.baud = baud();
    line.dataBits = 8;
    line.parity = platform::Parity::None;
    line.stopBits = platform::StopBits::One;
    line.ctsFlow = false;
    line.dsrFlow = false;
    line.xonXoffOutput = false;
    line.xonXoffInput = false;
    line.dtr = false;
    line.rts = false;
    line.dsrSensitivity = false;
}

}  // namespace quelfi::accessories
