// The journal printer's document fields: the consumer's block, the instalments and the joined
// record parameters (the flag's case and the widths show in the commands' bytes).
#include <gtest/gtest.h>

#include <string>

#include "mfd/document_fields.h"

namespace quelfi::mfd {
namespace {

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

TEST(MfdCustomerBlock, BlanksBeforeAGivenFieldNothingAfterTheLast) {
    const std::string cpf29(29, '1'), name30(30, 'N'), address80(80, 'E');
    const std::string cpf30 = cpf29 + "9", name31 = name30 + "9", address81 = address80 + "9";
    struct Case {
        const char* cpf;
        const char* name;
        const char* address;
        std::string fields;
        std::string fault;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, "", ""},
        {"", "", "", "", ""},
        {"123", nullptr, nullptr, "123" + blanks(26), ""},
        {nullptr, "JOSE", nullptr, blanks(29) + "JOSE" + blanks(26), ""},
        {"", nullptr, "RUA A", blanks(59) + "RUA A" + blanks(75), ""},
        {cpf29.c_str(), name30.c_str(), address80.c_str(), cpf29 + name30 + address80, ""},
        {cpf30.c_str(), name31.c_str(), nullptr, "",
         "Retorno: -2 - Parametro invalido no CPF " + cpf30},
        {nullptr, name31.c_str(), nullptr, "",
         "Retorno: -2 - Parametro invalido no nome " + name31},
        {"1", "", address81.c_str(), "",
         "Retorno: -2 - Parametro invalido no endereco " + address81},
    };
    for (const Case& c : cases) {
        const CustomerBlock block = customerBlock(c.cpf, c.name, c.address);
        EXPECT_EQ(block.fields, c.fields) << c.fields.size();
        EXPECT_EQ(block.fault, c.fault);
    }
}

TEST(MfdAdjustment, InstalmentsAndJoinedParameters) {
    for (const char* good : {"1", "01", "24", "9"}) EXPECT_TRUE(validInstalments(good)) << good;
    for (const char* bad : {"0", "00", "25", "001", "", "ab"})
        EXPECT_FALSE(validInstalments(bad)) << bad;
    EXPECT_EQ(joined({"A", nullptr, "C"}), "A||C");
    EXPECT_EQ(joined({nullptr}), "");
    EXPECT_EQ(joined({"x", "$", "100", "50"}), "x|$|100|50");
}

}  // namespace
}  // namespace quelfi::mfd
