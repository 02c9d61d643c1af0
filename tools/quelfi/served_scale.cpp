#include "quelfi/served_scale.h"

#include <cstdio>
#include <filesystem>

namespace quelfi::tool {
namespace {

std::string decimalText(long value, int decimals) {
    long unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    char text[48];
    std::snprintf(text, sizeof text, "%ld,%0*ld", value / unit, decimals, value % unit);
    return text;
}

}  // namespace

ServedScale::ServedScale(int model, const sim::PlateReading& reading,
                         const std::string& portDirectory, const std::string& portName)
    : model_(model) {
    if (model == 1)
        scale_ = std::make_unique<sim::WeightScale>(reading);
    else
        scale_ = std::make_unique<sim::PricingScale>(reading);
    pty_ = std::make_unique<sim::PtyServer>(*scale_);
    std::filesystem::create_directories(portDirectory);
    link_ = (std::filesystem::path(portDirectory) / portName).string();
    pty_->linkAs(link_);
}

ServedScale::~ServedScale() {
    pty_->stop();
}

std::string plateText(int model, const sim::PlateReading& reading) {
    switch (reading.state) {
        case sim::PlateState::Unstable:
            return "unstable (I)";
        case sim::PlateState::Negative:
            return "negative (N)";
        case sim::PlateState::Overload:
            return "overloaded (S)";
        case sim::PlateState::Stable:
            break;
    }
    std::string text = decimalText(reading.grams, 3) + " kg";
    if (model == 2) text += " at R$ " + decimalText(reading.pricePerKiloCentavos, 2) + " the kilo";
    return text;
}

}  // namespace quelfi::tool
