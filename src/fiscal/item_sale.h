// Selling items on the open coupon, by tax rate or by department, and what goes with them.
#pragma once

namespace quelfi::fiscal {

int sellItem(const char* code, const char* description, const char* taxRate,
             const char* quantityType, const char* quantity, int decimalPlaces,
             const char* unitPrice, const char* discountType, const char* discount);

int sellDepartmentItem(const char* code, const char* description, const char* taxRate,
                       const char* unitPrice, const char* quantity, const char* surcharge,
                       const char* discount, const char* department, const char* unit);

int cancelLastItem();
int cancelItem(const char* number);
int cancelCoupon();
int extendItemDescription(const char* text);
int useUnitOfMeasure(const char* unit);

}  // namespace quelfi::fiscal
