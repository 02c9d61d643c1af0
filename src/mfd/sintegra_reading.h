// The fiscal-memory reading's text, as the printer streams it into Retorno.txt, read back into the
// reductions it lists and written as SINTEGRA registers 60M and 60A, one set per reduction.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quelfi::mfd {

struct SintegraReduction {
    std::string date;  // AAAAMMDD
    long long crz = 0;
    long long coo = 0;
    std::int64_t grandTotal = 0;
    std::vector<std::pair<std::string, std::int64_t>> rates;  // ICMS rate's four digits, cents
    std::int64_t iss = 0;
    std::int64_t cancellations = 0;
    std::int64_t discounts = 0;
    std::int64_t substitution = 0;
    std::int64_t exempt = 0;
    std::int64_t nonIncidence = 0;
};

struct SintegraReading {
    bool training = false;
    std::string cnpj;
    std::string serial;
    std::string registerNumber;
    long long restarts = 0;
    std::vector<SintegraReduction> reductions;
};

// Any text is taken: lines it does not recognise are passed over.
SintegraReading parseSintegraReading(const std::string& text);

// Each reduction's 60M register, then its non-zero 60A registers, 126 characters and "\n" each.
std::string sintegraRegisters(const SintegraReading& reading);

}  // namespace quelfi::mfd
