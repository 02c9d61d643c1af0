// The payment booklet (carnê): one page per instalment, in one or two copies, printed inside one
// management report.
#pragma once

#include "protocol/road.h"

namespace quelfi::accessories {

struct BookletArguments {
    const char* title;
    const char* amounts;  // Parcela
    const char* dates;    // Datas
    int instalments;
    const char* text;
    const char* customer;
    const char* identity;  // RG or CPF
    const char* coupon;
    int copies;
    int reserved;  // travels only in the network record
};

int printBooklet(const protocol::Road& road, const BookletArguments& arguments);

}  // namespace quelfi::accessories
