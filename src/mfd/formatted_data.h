// The journal formatting exports: a downloaded file turned by the formatter module into text, RTF
// or a database, and into the Sintegra registers of a month.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

int formatDownload(const protocol::Road& road, const char* source, const char* destination,
                   const char* format, const char* kind, const char* first, const char* last,
                   const char* user);

// The Sintegra report's company fields, in the order the exports take them.
struct SintegraCompany {
    const char* month;
    const char* year;
    const char* name;
    const char* address;
    const char* number;
    const char* complement;
    const char* district;
    const char* city;
    const char* cep;
    const char* telephone;
    const char* fax;
    const char* contact;
};

// Downloads the month's journal and makes its Sintegra file.
int sintegraReport(const protocol::Road& road, int selector, const char* file,
                   const SintegraCompany& company);
// The same from a file downloaded before.
int sintegraFromFile(const protocol::Road& road, int selector, const char* source,
                     const char* destination, const SintegraCompany& company);

}  // namespace quelfi::mfd
