#include "sim/yanco/model.h"

#include "sim/yanco/layouts.h"

namespace quelfi::sim::yanco {

namespace shared = ::quelfi::yanco;

bool fiscalMemoryFull(const Model& model) {
    return static_cast<int>(model.reductions.size()) >= model.fiscalMemoryCapacity;
}

bool reductionDue(const Model& model) {
    return model.dayOpen && model.movementDate && *model.movementDate < model.clock.now().date;
}

bool couponOpen(const Model& model) {
    switch (model.document) {
        case Document::Coupon:
        case Document::CouponTotalled:
        case Document::CouponPayment:
        case Document::CouponPaid:
            return true;
        default:
            return false;
    }
}

int stateNumber(const Model& model) {
    switch (model.document) {
        case Document::Coupon:
            return shared::kStateCoupon;
        case Document::CouponTotalled:
            return shared::kStateCouponTotalled;
        case Document::CouponPayment:
            return shared::kStateCouponPayment;
        case Document::CouponPaid:
            return shared::kStateCouponPaid;
        case Document::BoundReceipt:
            return shared::kStateBoundReceipt;
        case Document::Report:
            return shared::kStateReport;
        case Document::None:
            break;
    }
    if (!model.dayOpen) return shared::kStateDayClosed;
    if (reductionDue(model)) return shared::kStateReductionDue;
    return shared::kStateIdle;
}

bool lastCouponCancellable(const Model& model) {
    return model.document == Document::None && model.lastDocumentIsCoupon && model.coupon.ended &&
           !model.coupon.cancelled;
}

bool boundReceiptAllowed(const Model& model) {
    if (!lastCouponCancellable(model) || reductionDue(model)) return false;
    for (const SalePayment& payment : model.coupon.payments)
        if (model.paymentForms[static_cast<std::size_t>(payment.form - 1)].boundReceipt)
            return true;
    return false;
}

}  // namespace quelfi::sim::yanco
