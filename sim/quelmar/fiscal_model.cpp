#include "sim/quelmar/fiscal_model.h"

#include "sim/quelmar/codes.h"

namespace quelfi::sim {

StatusBytes standingStatus(const FiscalModel& model) {
    StatusBytes s;
    if (model.paper == PaperState::Out) s.st1 |= codes::kSt1OutOfPaper;
    if (model.paper == PaperState::NearEnd) s.st1 |= codes::kSt1PaperNearEnd;
    if (model.clockError) s.st1 |= codes::kSt1ClockError;
    if (model.printerError) s.st1 |= codes::kSt1PrinterError;
    if (fiscalMemoryFull(model)) s.st2 |= codes::kSt2FiscalMemoryFull;
    if (model.ramError) s.st2 |= codes::kSt2RamError;
    return s;
}

bool fiscalMemoryFull(const FiscalModel& model) {
    return static_cast<int>(model.reductions.size()) >= model.fiscalMemoryCapacity;
}

bool couponOpen(const FiscalModel& model) {
    return model.document == DocumentState::Coupon ||
           model.document == DocumentState::CouponSubtotal ||
           model.document == DocumentState::CouponPayment;
}

bool receiptOpen(const FiscalModel& model) {
    return model.document == DocumentState::NonFiscalReceipt ||
           model.document == DocumentState::ReceiptSubtotal ||
           model.document == DocumentState::ReceiptPayment;
}

std::uint8_t fiscalFlags(const FiscalModel& model) {
    std::uint8_t flags = 0;
    if (couponOpen(model)) flags |= codes::kFlagCouponOpen;
    if (model.document == DocumentState::CouponPayment) flags |= codes::kFlagClosingStarted;
    if (model.daylightSaving) flags |= codes::kFlagDaylightSaving;
    if (!model.reductions.empty() && model.reductions.back().madeAt.date == model.clock.now().date)
        flags |= codes::kFlagReductionDoneToday;
    if (model.lastCouponCancellable) flags |= codes::kFlagCancellationAllowed;
    if (fiscalMemoryFull(model)) flags |= codes::kFlagFiscalMemoryFull;
    return flags;
}

}  // namespace quelfi::sim
