// The Yanco printer's readings: the day's totals as the X reading and the Z reduction give them,
// and the records of the fiscal memory; the same lines go on paper and, one a frame, to the line
// ("2F", "2D0"). Their layout is in sim/yanco/layouts.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/yanco/model.h"

namespace quelfi::sim::yanco::layout {

// The day's sections: totals, counters, non-fiscal totalizers, payment forms, the ICMS and the
// ISS slots.
std::vector<std::string> daySections(const Model& model);

// A reading sent to the line starts with its title line and the date, time and COO.
std::vector<std::string> lineReadingTop(const Model& model, std::string_view title);
// The fiscal memory to the line names, after its top, the owner's CNPJ, the machine and its
// interventions (CRO).
std::vector<std::string> fiscalMemoryOwner(const Model& model);

// The range of a fiscal memory reading: by movement date or by reduction number.
struct ReadingRange {
    bool byDate = true;
    CivilDate first;
    CivilDate last;
    int firstCrz = 0;
    int lastCrz = 0;
};

// The records in the range, each with its totals and the sales of its slots; a line saying so
// when there is none.
std::vector<std::string> fiscalMemory(const Model& model, const ReadingRange& range);

}  // namespace quelfi::sim::yanco::layout
