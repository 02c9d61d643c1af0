// The cheque the Yanco printer fills in: the amount in figures and in words (with the currency's
// names the host sends), the payee, the city and the date.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/printer_clock.h"
#include "sim/yanco/coupon.h"

namespace quelfi::sim::yanco::layout {

struct Cheque {
    Money amount = 0;
    std::string payee;
    std::string city;
    CivilDate date;
    std::string singular;  // "Real"
    std::string plural;    // "Reais"
};

std::vector<std::string> cheque(const Cheque& cheque);

// "cento e cinquenta Reais e dez centavos".
std::string amountInWords(Money amount, std::string_view singular, std::string_view plural);

}  // namespace quelfi::sim::yanco::layout
