// Model 1: a five-character weight and nothing else; XON/XOFF and CTS guard its line.
#pragma once

#include "accessories/scales/quel_scale.h"

namespace quelfi::accessories {

class QuelBPScale final : public QuelScale {
  public:
    // Frame bytes 0-4.
    bool weight(char* out) const override;

  protected:
    void setLineParameters(platform::LineSettings& line) const override;
};

}  // namespace quelfi::accessories
