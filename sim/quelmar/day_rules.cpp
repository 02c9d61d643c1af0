#include "sim/quelmar/day_rules.h"

#include "sim/quelmar/codes.h"
#include "sim/quelmar/fiscal_day.h"

namespace quelfi::sim {
namespace {

StatusBytes notExecuted(std::uint8_t st2 = 0) {
    return {0, static_cast<std::uint8_t>(st2 | codes::kSt2NotExecuted)};
}

}  // namespace

std::optional<StatusBytes> newDocumentRefusal(const FiscalModel& model) {
    if (model.cnpj.empty() || model.stateRegistration.empty())
        return notExecuted(codes::kSt2OwnerNotProgrammed);
    // The fiscal memory full is reported by its own standing bit.
    if (fiscalMemoryFull(model)) return notExecuted();
    // Yesterday's movement not reduced yet, or today already reduced.
    if (!dayTakesMovement(model)) return notExecuted();
    return std::nullopt;
}

void markDocumentStarted(FiscalModel& model) {
    startMovement(model);
}

}  // namespace quelfi::sim
