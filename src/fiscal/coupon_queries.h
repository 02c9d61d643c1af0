// The printer readings the coupon opening needs, each run as a nested query that writes to a
// local text instead of the caller's buffer or Retorno.txt. Each returns the query's result.
#pragma once

#include <string>

namespace quelfi::fiscal {

int readCouponNumber(std::string& coo);          // 6 digits
int readFirmwareVersion(std::string& version);   // 4 digits
int readGrossSales(std::string& total);          // 18 digits
int readMovementDate(std::string& date);         // DDMMAA

// Runs `body` with nestedCall set and answers kept out of Retorno.txt, restoring both after.
template <typename F>
int asNestedQuery(F&& body);

}  // namespace quelfi::fiscal

#include "core/printer_state.h"

template <typename F>
int quelfi::fiscal::asNestedQuery(F&& body) {
    core::PrinterState& s = core::state();
    struct Restore {
        core::PrinterState& s;
        int nested;
        bool toFile;
        ~Restore() {
            s.nestedCall = nested;
            s.answerToFile = toFile;
        }
    } restore{s, s.nestedCall, s.answerToFile};
    s.nestedCall = 1;
    s.answerToFile = false;
    return body();
}
