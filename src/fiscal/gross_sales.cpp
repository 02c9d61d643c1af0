// The day's gross sales, computed from two counters: what the grand total has grown by since the
// last Z reduction. Not exported; the coupon opening and an electronic-journal report read it.
#include <cstdint>
#include <cstdio>
#include <string>

#include "fiscal/queries.h"
#include "fiscal/query_call.h"
#include "fiscal/record_answers.h"

namespace quelfi::fiscal {

namespace {

// Grand totals are 18 digits: they need 64 bits.
std::uint64_t digitsValue(const std::string& digits) {
    std::uint64_t value = 0;
    for (char c : digits)
        if (c >= '0' && c <= '9') value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
}

bool answered(int result) {
    return result == 1 || result == -27;
}

}  // namespace

int grossSales(const Road& road, char* sales, const QueryOptions& options) {
    const QueryCall call(road, member(Query::VendaBruta), options);
    // Without a record it has no network step; the Yanco printer keeps the gross sales itself.
    if (auto forwarded = call.forward(sales)) return *forwarded;

    std::string grandTotal;
    int result = readQuery(road, Query::GrandeTotal, grandTotal);
    if (!answered(result)) return call.log().finish(result);
    std::string lastReduction;
    result = readQuery(road, Query::DadosUltimaReducao, lastReduction);
    if (!answered(result)) return call.log().finish(result);

    // The reduction's second field is the grand total it closed with.
    const std::uint64_t now = digitsValue(grandTotal);
    const std::uint64_t before = digitsValue(slice(lastReduction, 3, 18));
    // A grand total below the reduction's can only be a misread; it must not wrap around into a
    // number wider than the answer.
    const std::uint64_t sold = now > before ? now - before : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%018llu", static_cast<unsigned long long>(sold));
    const int delivered = call.deliver({text, std::nullopt}, sales);
    return delivered == 1 ? call.finish() : delivered;
}

}  // namespace quelfi::fiscal
