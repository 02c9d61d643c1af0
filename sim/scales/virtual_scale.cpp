#include "sim/scales/virtual_scale.h"

#include <algorithm>
#include <cstdio>

#include "sim/scales/scale_codes.h"

namespace quelfi::sim {
namespace {

// Bytes sent on a line set at another rate or framing arrive as something else; the high bit
// keeps them from ever reading as STX or ETX.
std::string noiseOf(const std::string& answer) {
    std::string noise = answer;
    for (char& c : noise) c = static_cast<char>(static_cast<unsigned char>(c) | 0x80);
    return noise;
}

char letterOf(PlateState state) {
    switch (state) {
        case PlateState::Unstable:
            return 'I';
        case PlateState::Negative:
            return 'N';
        case PlateState::Overload:
            return 'S';
        case PlateState::Stable:
            break;
    }
    return '0';
}

// `value` in `width` places, zero-filled or led by blanks.
std::string placed(long value, int width, bool blanks) {
    char text[32];
    std::snprintf(text, sizeof text, blanks ? "%*ld" : "%0*ld", width, value);
    return text;
}

// A plate past what the frame can show is overloaded.
PlateState stateOf(const PlateReading& r, long most) {
    if (r.state == PlateState::Stable && r.grams > most) return PlateState::Overload;
    if (r.state == PlateState::Stable && r.grams < 0) return PlateState::Negative;
    return r.state;
}

}  // namespace

const LineShape VirtualScale::kLine{2400, 8, 'N', 1};

void VirtualScale::weigh(long grams) {
    const std::lock_guard lock(mutex_);
    reading_.grams = grams;
    reading_.state = PlateState::Stable;
}

void VirtualScale::keyPrice(long centavosPerKilo) {
    const std::lock_guard lock(mutex_);
    reading_.pricePerKiloCentavos = centavosPerKilo;
}

void VirtualScale::show(PlateState state) {
    const std::lock_guard lock(mutex_);
    reading_.state = state;
}

PlateReading VirtualScale::reading() const {
    const std::lock_guard lock(mutex_);
    return reading_;
}

std::string VirtualScale::frame() const {
    return frameOf(reading());
}

std::optional<LineShape> VirtualScale::lineAtLastAnswer() const {
    const std::lock_guard lock(mutex_);
    return answeredOn_;
}

void VirtualScale::lineIs(const LineShape& line) {
    const std::lock_guard lock(mutex_);
    line_ = line;
}

std::string VirtualScale::receive(std::string_view bytes) {
    std::string answers;
    for (const char byte : bytes) {
        if (byte != scale_codes::kEnq) continue;
        answers += scale_codes::kStx + frame() + scale_codes::kEtx;
    }
    if (answers.empty()) return answers;
    const std::lock_guard lock(mutex_);
    answeredOn_ = line_;
    return line_ == kLine ? answers : noiseOf(answers);
}

std::string WeightScale::frameOf(const PlateReading& reading) const {
    constexpr int kWidth = 5;
    const PlateState state = stateOf(reading, 99999);
    if (state != PlateState::Stable) return std::string(kWidth, letterOf(state));
    return placed(reading.grams, kWidth, false);
}

std::string PricingScale::frameOf(const PlateReading& reading) const {
    constexpr int kWidth = 6;
    constexpr long kMost = 999999;
    PlateState state = stateOf(reading, kMost);
    const long price = std::clamp(reading.pricePerKiloCentavos, 0L, kMost);
    long total = 0;
    if (state == PlateState::Stable) {
        total = (reading.grams * price + 500) / 1000;
        if (total > kMost) state = PlateState::Overload;
    }
    const std::string weight = state == PlateState::Stable ? placed(reading.grams, kWidth, true)
                                                           : std::string(kWidth, letterOf(state));
    if (state != PlateState::Stable) total = 0;
    return weight + ' ' + placed(price, kWidth, true) + ' ' + placed(total, kWidth, true);
}

}  // namespace quelfi::sim
