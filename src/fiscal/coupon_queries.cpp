#include "fiscal/coupon_queries.h"

#include "quelfi32.h"

namespace quelfi::fiscal {
namespace {

template <std::size_t Width, typename Query>
int readInto(std::string& text, Query query) {
    char buffer[Width + 1] = {};
    const int result = asNestedQuery([&] { return query(buffer); });
    text.assign(buffer);
    return result;
}

}  // namespace

int readCouponNumber(std::string& coo) { return readInto<6>(coo, Quelmar_FI_NumeroCupom); }

int readFirmwareVersion(std::string& version) {
    return readInto<4>(version, Quelmar_FI_VersaoFirmware);
}

int readMovementDate(std::string& date) { return readInto<6>(date, Quelmar_FI_DataMovimento); }

}  // namespace quelfi::fiscal
