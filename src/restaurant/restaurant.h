// The restaurant firmware's operations: orders kept by the printer per table, bill checks, moves
// between tables, the table's fiscal coupon and its split among payers, reports and the menu.
//
// Unlike the other exports these always open their lines with the separator, have no step of the
// network-driver mode or of the Yanco printer, and ask no status after their command: each returns
// the result its reply left.
#pragma once

#include "protocol/road.h"

namespace quelfi::restaurant {

using protocol::Road;

// The eight arguments of an item's registration, cancellation or transfer, as the caller gave
// them; `destination` only for the transfer.
struct ItemArguments {
    const char* table = nullptr;
    const char* code = nullptr;
    const char* description = nullptr;
    const char* rate = nullptr;
    const char* quantity = nullptr;
    const char* unitPrice = nullptr;
    const char* flag = nullptr;
    const char* adjustment = nullptr;
    const char* destination = nullptr;
};

int registerItem(const Road& road, const ItemArguments& item);
int cancelItem(const Road& road, const ItemArguments& item);
int transferItem(const Road& road, const ItemArguments& item);

int openTableCheck(const Road& road, const char* table);
int checkTable(const Road& road, const char* table, const char* flag, const char* type,
               const char* value);
int closeTableCheck(const Road& road, const char* flag, const char* type, const char* value);
int transferTable(const Road& road, const char* from, const char* to);

int openTableCoupon(const Road& road, const char* table, const char* cpf);
int closeTableCoupon(const Road& road, const char* form, const char* flag, const char* type,
                     const char* value, const char* amountPaid, const char* message);
int closeTableCouponInOnePayment(const Road& road, const char* form, const char* message);

int splitBill(const Road& road, const char* coupons, const char* values, const char* cpfs);
int closeCouponSplit(const Road& road, const char* coupons, const char* flag, const char* type,
                     const char* value, const char* forms, const char* formValues,
                     const char* values, const char* cpfs);

int openTablesReport(const Road& road, int type);
int openTablesSerial(const Road& road);
int printMenu(const Road& road);
int menuSerial(const Road& road);
int registrationsSerial(const Road& road, const char* table);
int freeMemory(const Road& road, char* free);

}  // namespace quelfi::restaurant
