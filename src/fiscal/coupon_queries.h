// The printer readings the coupon opening needs, each run as a nested query that answers into a
// local text instead of the caller's buffer or Retorno.txt. Each returns the query's result.
#pragma once

#include <string>

namespace quelfi::fiscal {

int readCouponNumber(std::string& coo);         // 6 digits
int readFirmwareVersion(std::string& version);  // 4 digits
int readGrossSales(std::string& total);         // 18 digits
int readMovementDate(std::string& date);        // DDMMAA

}  // namespace quelfi::fiscal
