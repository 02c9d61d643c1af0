// Amounts in words as the virtual printer writes them on a cheque.
#include <gtest/gtest.h>

#include "sim/quelmar/amount_words.h"

namespace quelfi::sim {
namespace {

TEST(SimAmountWords, PortugueseAsOnACheque) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "ZERO REAIS"},
        {1, "UM CENTAVO"},
        {100, "UM REAL"},
        {12345, "CENTO E VINTE E TRÊS REAIS E QUARENTA E CINCO CENTAVOS"},
        {10000, "CEM REAIS"},
        {120000, "MIL E DUZENTOS REAIS"},
        {123456, "MIL DUZENTOS E TRINTA E QUATRO REAIS E CINQUENTA E SEIS CENTAVOS"},
        {1700000, "DEZESSETE MIL REAIS"},
        {200000000, "DOIS MILHÕES DE REAIS"},
        {100000100, "UM MILHÃO E UM REAIS"},
        {99999999999999,
         "NOVECENTOS E NOVENTA E NOVE BILHÕES NOVECENTOS E NOVENTA E NOVE "
         "MILHÕES NOVECENTOS E NOVENTA E NOVE MIL NOVECENTOS E NOVENTA E NOVE "
         "REAIS E NOVENTA E NOVE CENTAVOS"},
    };
    for (const auto& [amount, words] : cases)
        EXPECT_EQ(amountInWords(amount, "real", "reais"), words);
}

}  // namespace
}  // namespace quelfi::sim
