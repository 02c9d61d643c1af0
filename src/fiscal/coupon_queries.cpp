#include "fiscal/coupon_queries.h"

#include "fiscal/queries.h"
#include "fiscal/query_call.h"

namespace quelfi::fiscal {
namespace {

// Runs a query quietly into a buffer large enough for any of these answers.
template <typename Query>
int readInto(std::string& text, Query query) {
    char buffer[32] = {};
    const int result = askQuietly([&] { return query(buffer); });
    text.assign(buffer);
    return result;
}

}  // namespace

int readCouponNumber(std::string& coo) {
    return readInto(coo, [](char* b) { return textQuery(Query::NumeroCupom, b); });
}

int readFirmwareVersion(std::string& version) {
    return readInto(version, [](char* b) { return textQuery(Query::VersaoFirmware, b); });
}

int readGrossSales(std::string& total) {
    return readInto(total, grossSales);
}

int readMovementDate(std::string& date) {
    return readInto(date, [](char* b) { return textQuery(Query::DataMovimento, b); });
}

}  // namespace quelfi::fiscal
