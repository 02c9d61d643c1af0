// Model 2: weight, unit price and total, six characters each, led by blanks that are handed out
// as zeros; a bare line without flow control.
#pragma once

#include "accessories/scales/quel_scale.h"

namespace quelfi::accessories {

class QuelCSScale final : public QuelScale {
  public:
    // Frame bytes 0-5, 7-12 and 14-19.
    bool weight(char* out) const override;
    bool unitPrice(char* out) const override;
    bool total(char* out) const override;

  protected:
    void setLineParameters(platform::LineSettings& line) const override;
};

}  // namespace quelfi::accessories
