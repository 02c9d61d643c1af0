#include "sim/quelmar/sale_totals.h"

#include <cstdlib>

namespace quelfi::sim::sale {
namespace {

// The day totalizer of the item's rate: its slot, or the letter totalizer of its tax.
Money* rateTotal(FiscalModel& model, const SaleItem& item) {
    DayTotals& d = model.day;
    switch (item.kind) {
        case RateKind::Slot:
            if (item.slot < 1 || item.slot > static_cast<int>(model.taxRates.size()))
                return nullptr;
            return &model.taxRates[static_cast<std::size_t>(item.slot - 1)].dayTotal;
        case RateKind::Exempt:
            return item.iss ? &d.issExempt : &d.icmsExempt;
        case RateKind::NonIncidence:
            return item.iss ? &d.issNonIncidence : &d.icmsNonIncidence;
        case RateKind::Substitution:
            return item.iss ? &d.issSubstitution : &d.icmsSubstitution;
    }
    return nullptr;
}

void addToRate(FiscalModel& model, const SaleItem& item, Money amount) {
    if (Money* total = rateTotal(model, item)) *total += amount;
}

void addToDepartment(FiscalModel& model, const SaleItem& item, int sign) {
    if (item.department < 1 || item.department > static_cast<int>(kDepartmentSlots)) return;
    Department& department = model.departments[static_cast<std::size_t>(item.department - 1)];
    department.dayTotal += sign * item.net();
    department.quantity += sign * item.quantity;
}

void addToDepartmentValue(FiscalModel& model, const SaleItem& item, Money amount) {
    if (item.department < 1 || item.department > static_cast<int>(kDepartmentSlots)) return;
    model.departments[static_cast<std::size_t>(item.department - 1)].dayTotal += amount;
}

// The totalizer a receipt's item names by its number.
NonFiscalTotalizer* receiptTotalizer(FiscalModel& model, const SaleItem& item) {
    const int slot = std::atoi(item.code.c_str());
    if (slot < 1 || slot > static_cast<int>(kNonFiscalSlots)) return nullptr;
    return &model.nonFiscalTotalizers[static_cast<std::size_t>(slot - 1)];
}

Money& discounts(FiscalModel& model, bool iss) {
    return iss ? model.day.issDiscounts : model.day.icmsDiscounts;
}
Money& surcharges(FiscalModel& model, bool iss) {
    return iss ? model.day.issSurcharges : model.day.icmsSurcharges;
}
Money& cancellations(FiscalModel& model, bool iss) {
    return iss ? model.day.issCancellations : model.day.icmsCancellations;
}

}  // namespace

void recordItem(FiscalModel& model, const SaleItem& item) {
    model.grandTotal += item.gross + item.surcharge;
    discounts(model, item.iss) += item.discount;
    surcharges(model, item.iss) += item.surcharge;
    addToRate(model, item, item.net());
    addToDepartment(model, item, +1);
}

void recordItemCancellation(FiscalModel& model, const SaleItem& item) {
    cancellations(model, item.iss) += item.net();
    addToRate(model, item, -item.net());
    addToDepartment(model, item, -1);
}

void recordClosingAdjustment(FiscalModel& model, const SaleCoupon& coupon) {
    for (const auto& item : coupon.items) {
        if (item.cancelled || item.closingShare == 0) continue;
        if (item.closingShare > 0) {
            model.grandTotal += item.closingShare;
            surcharges(model, item.iss) += item.closingShare;
        } else {
            discounts(model, item.iss) -= item.closingShare;
        }
        addToRate(model, item, item.closingShare);
    }
}

void recordCouponCancellation(FiscalModel& model, const SaleCoupon& coupon) {
    for (const auto& item : coupon.items) {
        if (item.cancelled) continue;
        const Money value = item.net() + item.closingShare;
        cancellations(model, item.iss) += value;
        addToRate(model, item, -value);
        addToDepartment(model, item, -1);
    }
}

void recordPayments(FiscalModel& model, const SaleCoupon& coupon) {
    for (auto& form : model.paymentForms) form.lastCoupon = 0;
    for (const auto& payment : coupon.payments) {
        if (payment.form < 1 || payment.form > static_cast<int>(model.paymentForms.size()))
            continue;
        PaymentForm& form = model.paymentForms[static_cast<std::size_t>(payment.form - 1)];
        form.dayTotal += payment.amount;
        form.lastCoupon += payment.amount;
    }
    model.lastCouponPaid = amountPaid(coupon);
}

void reversePayments(FiscalModel& model, const SaleCoupon& coupon) {
    for (const auto& payment : coupon.payments) {
        if (payment.form < 1 || payment.form > static_cast<int>(model.paymentForms.size()))
            continue;
        model.paymentForms[static_cast<std::size_t>(payment.form - 1)].dayTotal -= payment.amount;
    }
}

void recordItemDiscount(FiscalModel& model, const SaleItem& item, Money amount) {
    discounts(model, item.iss) += amount;
    addToRate(model, item, -amount);
    addToDepartmentValue(model, item, -amount);
}

void recordItemSurcharge(FiscalModel& model, const SaleItem& item, Money amount) {
    model.grandTotal += amount;
    surcharges(model, item.iss) += amount;
    addToRate(model, item, amount);
    addToDepartmentValue(model, item, amount);
}

void recordItemSurchargeCancellation(FiscalModel& model, const SaleItem& item, Money amount) {
    cancellations(model, item.iss) += amount;
    addToRate(model, item, -amount);
    addToDepartmentValue(model, item, -amount);
}

void recordReceipt(FiscalModel& model, const SaleCoupon& receipt) {
    DayTotals& d = model.day;
    for (const auto& item : receipt.items) {
        if (item.cancelled) {
            d.nonFiscalCancellations += item.net();
            continue;
        }
        if (NonFiscalTotalizer* t = receiptTotalizer(model, item)) {
            ++t->count;
            t->dayTotal += item.net() + item.closingShare;
        }
        d.nonFiscalDiscounts += item.discount + (item.closingShare < 0 ? -item.closingShare : 0);
        d.nonFiscalSurcharges += item.surcharge + (item.closingShare > 0 ? item.closingShare : 0);
    }
    for (auto& form : model.paymentForms) form.lastCoupon = 0;
    for (const auto& payment : receipt.payments) {
        if (payment.form < 1 || payment.form > static_cast<int>(model.paymentForms.size()))
            continue;
        PaymentForm& form = model.paymentForms[static_cast<std::size_t>(payment.form - 1)];
        form.dayTotal += payment.amount;
        form.lastCoupon += payment.amount;
    }
    model.lastCouponCoo = receipt.coo;
}

void reverseReceipt(FiscalModel& model, const SaleCoupon& receipt) {
    for (const auto& item : receipt.items) {
        if (item.cancelled) continue;
        if (NonFiscalTotalizer* t = receiptTotalizer(model, item))
            t->dayTotal -= item.net() + item.closingShare;
    }
    model.day.nonFiscalCancellations += amountDue(receipt);
    reversePayments(model, receipt);
}

}  // namespace quelfi::sim::sale
