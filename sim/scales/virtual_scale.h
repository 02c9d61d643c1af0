// A price-computing scale on its serial line: asked with ENQ, it answers STX, its frame and ETX,
// paced at the line's rate. It answers sensibly only on the line it is built for, 2400 baud 8N1;
// on any other its answer arrives as noise. What lies on the plate and the price keyed in may
// change while it is served (a person typing, a test).
#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "sim/byte_device.h"

namespace quelfi::sim {

enum class PlateState { Stable, Unstable, Negative, Overload };

struct PlateReading {
    long grams = 0;
    long pricePerKiloCentavos = 0;  // model 2 only
    PlateState state = PlateState::Stable;
};

class VirtualScale : public ByteDevice {
  public:
    explicit VirtualScale(PlateReading reading = {}) : reading_(reading) {}

    void weigh(long grams);
    void keyPrice(long centavosPerKilo);
    void show(PlateState state);
    PlateReading reading() const;

    // The frame the scale answers now, without STX and ETX.
    std::string frame() const;
    // The line as it was set when the scale last answered; empty before its first answer.
    std::optional<LineShape> lineAtLastAnswer() const;

    std::string receive(std::string_view bytes) override;
    std::string idle() override { return {}; }
    void lineIs(const LineShape& line) override;
    bool paced() const override { return true; }

    // 2400 baud, 8 data bits, no parity, one stop bit.
    static const LineShape kLine;

  protected:
    virtual std::string frameOf(const PlateReading& reading) const = 0;

  private:
    mutable std::mutex mutex_;
    PlateReading reading_;
    LineShape line_;
    std::optional<LineShape> answeredOn_;
};

// Model 1: the weight alone, five digits in grams; a plate not at rest shows its state's letter
// ('I' unstable, 'N' negative, 'S' overloaded) in every place.
class WeightScale final : public VirtualScale {
  public:
    using VirtualScale::VirtualScale;

  protected:
    std::string frameOf(const PlateReading& reading) const override;
};

// Model 2: weight in grams, price per kilo and the total it computes, both in centavos, six
// characters each led by blanks, a blank between them. A plate not at rest shows its letter in
// the weight's places and a total of nothing.
class PricingScale final : public VirtualScale {
  public:
    using VirtualScale::VirtualScale;

  protected:
    std::string frameOf(const PlateReading& reading) const override;
};

}  // namespace quelfi::sim
