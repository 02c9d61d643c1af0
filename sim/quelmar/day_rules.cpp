#include "sim/quelmar/day_rules.h"

#include "sim/quelmar/codes.h"

namespace quelfi::sim {
namespace {

StatusBytes notExecuted(std::uint8_t st2 = 0) {
    return {0, static_cast<std::uint8_t>(st2 | codes::kSt2NotExecuted)};
}

}  // namespace

std::optional<StatusBytes> newDocumentRefusal(const FiscalModel& model) {
    const CivilDate today = model.clock.now().date;
    if (model.cnpj.empty() || model.stateRegistration.empty())
        return notExecuted(codes::kSt2OwnerNotProgrammed);
    // The fiscal memory full is reported by its own standing bit.
    if (fiscalMemoryFull(model)) return notExecuted();
    // Yesterday's movement not reduced yet.
    if (model.movementDate && *model.movementDate < today) return notExecuted();
    // Today already reduced.
    if (fiscalFlags(model) & codes::kFlagReductionDoneToday) return notExecuted();
    return std::nullopt;
}

void markDocumentStarted(FiscalModel& model) {
    if (!model.movementDate) model.movementDate = model.clock.now().date;
}

}  // namespace quelfi::sim
