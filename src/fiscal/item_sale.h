// Selling items on the open coupon, by tax rate or by department, and what goes with them.
#pragma once

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

int sellItem(const Road& road, const char* code, const char* description, const char* taxRate,
             const char* quantityType, const char* quantity, int decimalPlaces,
             const char* unitPrice, const char* discountType, const char* discount);

int sellDepartmentItem(const Road& road, const char* code, const char* description,
                       const char* taxRate, const char* unitPrice, const char* quantity,
                       const char* surcharge, const char* discount, const char* department,
                       const char* unit);

int cancelLastItem(const Road& road);
int cancelItem(const Road& road, const char* number);
int cancelCoupon(const Road& road);
int extendItemDescription(const Road& road, const char* text);
int useUnitOfMeasure(const Road& road, const char* unit);

}  // namespace quelfi::fiscal
