// A virtual scale served on a pseudo-terminal linked under a port name (COM2) in a port
// directory, beside the virtual printer: "quelfi sim --scale" and the demonstration use it.
#pragma once

#include <memory>
#include <string>

#include "sim/pty_server.h"
#include "sim/scales/virtual_scale.h"

namespace quelfi::tool {

class ServedScale {
  public:
    // Model 1 or 2 with `reading` on its plate; std::runtime_error when it cannot be served.
    ServedScale(int model, const sim::PlateReading& reading, const std::string& portDirectory,
                const std::string& portName);
    ~ServedScale();
    ServedScale(const ServedScale&) = delete;
    ServedScale& operator=(const ServedScale&) = delete;

    sim::VirtualScale& scale() { return *scale_; }
    int model() const { return model_; }
    std::string devicePath() const { return pty_->devicePath(); }
    const std::string& link() const { return link_; }

  private:
    int model_;
    std::unique_ptr<sim::VirtualScale> scale_;
    std::unique_ptr<sim::PtyServer> pty_;
    std::string link_;
};

// "2,000 kg at R$ 12,90 the kilo", "unstable", ...: what is on the plate, in words.
std::string plateText(int model, const sim::PlateReading& reading);

}  // namespace quelfi::tool
