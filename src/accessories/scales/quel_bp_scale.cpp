#include "accessories/scales/quel_bp_scale.h"

namespace quelfi::accessories {
namespace {

constexpr char kXon = 17;
constexpr char kXoff = 19;

}  // namespace

bool QuelBPScale::weight(char* out) const {
    return copyField(0, 5, out, false);
}

void QuelBPScale::setLineParameters(platform::LineSettings& line) const {
    line.baud = baud();
    line.dataBits = 8;
    line.parity = platform::Parity::None;
    line.stopBits = platform::StopBits::One;
    line.xonChar = kXon;
    line.xoffChar = kXoff;
    line.parityCheck = true;
    line.ctsFlow = true;
    line.continueOnXoff = true;
    line.xonXoffInput = true;
    line.rts = true;
    line.dsrFlow = false;
    line.dtr = false;
    line.dsrSensitivity = false;
    line.xonXoffOutput = false;
}

}  // namespace quelfi::accessories
