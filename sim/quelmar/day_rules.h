// The fiscal day's rules for starting a document. The day runs from its first document to the Z
// reduction: a day still open after midnight must be reduced before anything new is issued, and
// a day already reduced takes no more documents until the date changes. Every command that starts
// a document asks here first, so a new rule of the day is added in one place.
#pragma once

#include <optional>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim {

// The status bits refusing a new document now, or nothing when one may start.
std::optional<StatusBytes> newDocumentRefusal(const FiscalModel& model);

// A document has started: the day's movement date is set by its first document.
void markDocumentStarted(FiscalModel& model);

}  // namespace quelfi::sim
