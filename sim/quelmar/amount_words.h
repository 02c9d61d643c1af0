// Amounts written out in Portuguese words, as a cheque carries them beside the figures:
// "MIL DUZENTOS E TRINTA E QUATRO REAIS E CINQUENTA E SEIS CENTAVOS".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quelfi::sim {

// `centavos` in upper-case UTF-8 words, with the currency's names (UTF-8, any case) for the whole
// units: the singular for exactly one, the plural otherwise.
std::string amountInWords(std::int64_t centavos, std::string_view singular,
                          std::string_view plural);

// The text in upper case, Portuguese accented letters included (UTF-8).
std::string upperCase(std::string_view utf8);

}  // namespace quelfi::sim
