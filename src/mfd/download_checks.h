// The checks the download and formatting exports share on a journal range: the two dates of a
// download by date, the COO range and user of one by COO. Each refusal's text is the one the
// export logs after its own "Retorno Name: -2 - ".
#pragma once

#include <optional>
#include <string>

namespace quelfi::mfd {

struct DateRange {
    std::string start;  // DDMMAA
    std::string end;
};

struct CooRange {
    long start = 0;
    long end = 0;
    int user = 0;
};

// The range, or the refusal's text in `refusal`.
std::optional<DateRange> checkDates(const char* start, const char* end, std::string& refusal);
std::optional<CooRange> checkCoos(const char* start, const char* end, const char* user,
                                  std::string& refusal);

}  // namespace quelfi::mfd
