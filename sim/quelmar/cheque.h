// A cheque as the printer takes it from the host: what it prints on the document in the slip.
// Texts in code page 850.
#pragma once

#include <cstdint>
#include <string>

#include "sim/printer_clock.h"

namespace quelfi::sim {

struct Cheque {
    std::int64_t amount = 0;  // centavos
    std::string payee;
    std::string city;
    CivilDate date;
    std::string layout;  // the bank's 13 layout bytes, as sent
    std::string message;
    bool operator==(const Cheque&) const = default;
};

}  // namespace quelfi::sim
