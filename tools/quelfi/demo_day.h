// The demonstration's fiscal day as data: what a shop does, step by step, each step one export
// of the library with the arguments a point-of-sale program passes and the result it must give.
// A new step is a new row.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quelfi/call_table.h"
#include "sim/scales/virtual_scale.h"

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
    // When set, fills in arguments from what the step before answered (a weight read on the
    // scale becomes the quantity sold); `arguments` holds what it stands for.
    std::function<void(std::vector<std::string>& arguments, const CallOutcome& before)> fromBefore;
};

struct Section {
    std::string title;
    std::vector<Step> steps;
};

// The printer the day runs on, in the seed notation.
extern const char* const kPrinterSeed;

// The price-computing scale (model 2) the day weighs on, on COM2: what lies on it.
extern const sim::PlateReading kScaleReading;
inline constexpr const char* kScalePort = "COM2";

// A model 2 weight field ("000500", grams) as the quantity of a sale in kilos ("0,500").
std::string kilosOfWeight(const std::string& weight);

const std::vector<Section>& fiscalDay();

// The same shop with a Yanco printer: the virtual Yanco printer's seed, and the day its
// exports run, the Quelmar exports the printer lacks refused.
extern const char* const kYancoPrinterSeed;

const std::vector<Section>& yancoDay();

// The same shop's day on a printer with an electronic journal ("quelfi demo --mfd"): a consumer
// identified on the coupon, surcharges and discounts given and cancelled, payment in
// instalments, the bound receipt reprinted, copied and reversed, the non-fiscal receipt cycle and
// a named management report.
extern const char* const kJournalPrinterSeed;

const std::vector<Section>& journalFiscalDay();

// Where the journal day leaves its download and the download formatted as text (drive C is the
// day's directory).
inline constexpr const char* kJournalDownload = "C:\\JORNADA.MFD";
inline constexpr const char* kJournalText = "C:\\JORNADA.TXT";

// The restaurant's evening (quelfi demo --restaurant) and its printer, with the restaurant
// firmware.
extern const char* const kRestaurantSeed;

const std::vector<Section>& restaurantEvening();

enum class Verdict { Passed, Failed };

// How a step went: passed when the call gave the expected result (and answer); otherwise failed.
// `outcome` is null when the library has no export of that name.
Verdict judge(const Step& step, const CallOutcome* outcome);

}  // namespace quelfi::tool::demo
