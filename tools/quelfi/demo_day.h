// The demonstration's fiscal day as data: what a shop does, step by step, each step one export
// of the library with the arguments a point-of-sale program passes and the result it must give.
// A new step is a new row.
#pragma once

#include <string>
#include <vector>

#include "quelfi/call_table.h"

namespace quelfi::tool::demo {

// How an answer is shown.
enum class Shown { Plain, Money };

struct Step {
    std::string what;                    // what the shop does, in words
    std::string exportName;              //
    std::vector<std::string> arguments;  // as a point-of-sale program passes them (Windows-1252)
    int expected = 1;                    // the result the export must give
    std::string expectedAnswer;          // when not empty, what the first answer must be, exactly
    Shown shown = Shown::Plain;
    std::string summary;  // when not empty, the answer is listed under this label at the end
};

struct Section {
    std::string title;
    std::vector<Step> steps;
};

// The printer the day runs on, in the seed notation.
extern const char* const kPrinterSeed;

const std::vector<Section>& fiscalDay();

// The same shop's day on a printer with an electronic journal ("quelfi demo --mfd"): a consumer
// identified on the coupon, surcharges and discounts given and cancelled, payment in
// instalments, the bound receipt reprinted, copied and reversed, the non-fiscal receipt cycle and
// a named management report.
extern const char* const kJournalPrinterSeed;

const std::vector<Section>& journalFiscalDay();

// The restaurant's evening (quelfi demo --restaurant) and its printer, with the restaurant
// firmware.
extern const char* const kRestaurantSeed;

const std::vector<Section>& restaurantEvening();

enum class Verdict { Passed, Failed };

// How a step went: passed when the call gave the expected result (and answer); otherwise failed.
// `outcome` is null when the library has no export of that name.
Verdict judge(const Step& step, const CallOutcome* outcome);

}  // namespace quelfi::tool::demo
