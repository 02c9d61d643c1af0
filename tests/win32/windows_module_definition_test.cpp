// The export table's Windows names: the bytes of arguments, the decorated names, and the module
// definitions the DLL and its import library are made from, for 32 and 64 bits.
#include <gtest/gtest.h>

#include "exports/module_definition.h"

namespace quelfi::exports {
namespace {

TEST(WindowsNames, ArgumentBytesAreFourPerSlotAndEightPerDouble) {
    EXPECT_EQ(argumentBytes("(void)"), 0);
    EXPECT_EQ(argumentBytes("()"), 0);
    EXPECT_EQ(argumentBytes("(int porta)"), 4);
    EXPECT_EQ(argumentBytes("(const char* a, int b)"), 8);
    EXPECT_EQ(argumentBytes("(short* ack, short* st1, short* st2)"), 12);
    EXPECT_EQ(argumentBytes("(double valor, const char* texto)"), 12);
    EXPECT_EQ(argumentBytes("(char c, short s, float f, unsigned long n)"), 16);
    EXPECT_EQ(argumentBytes("(long long total, int (*done)(int, double))"), 12);
    EXPECT_EQ(argumentBytes("( char buffer[] , int doubled )"), 8);
}

constexpr ExportInfo kSample[] = {
    {0, "int", "Quelmar_FI_AbrePortaSerial", "(void)", false, {}},
    {0, "int", "Quelmar_FI_AbrePorta", "(int porta)", false, {}},
    {0, "int", "Quelmar_FITEF_VendaCartao", "(const char* valor, int parcelas)", true, {}},
    {0,
     "int",
     "Yanco_FI_VendeItem",
     "(const char* codigo, const char* descricao, const char* aliquota, const char* tipo, "
     "const char* quantidade, int casas, const char* valor, const char* tipoDesconto, "
     "const char* desconto)",
     true,
     {}},
    // A second name of an export: its target's function.
    {0, "int", "Quelmar_FI_CancAcrDescSubRecMFD", "(const char* acrescimoDesconto)", false,
     "Quelmar_FI_CancelaAcrescimoDescontoSubtotalRecebimentoMFD"},
};

TEST(WindowsNames, DecoratedExportsCarryAnUnderscoreAndTheirArgumentBytes) {
    EXPECT_EQ(windowsName(kSample[0]), "Quelmar_FI_AbrePortaSerial");
    EXPECT_EQ(windowsName(kSample[1]), "Quelmar_FI_AbrePorta");
    EXPECT_EQ(windowsName(kSample[2]), "_Quelmar_FITEF_VendaCartao@8");
    EXPECT_EQ(windowsName(kSample[3]), "_Yanco_FI_VendeItem@36");
}

const char* const kTop =
    "; Generated from the library's export table; do not edit.\n"
    "LIBRARY QuelFI32.dll\n"
    "EXPORTS\n";

TEST(WindowsNames, ModuleDefinitionUndecoratesPlainExportsOn32Bits) {
    EXPECT_EQ(moduleDefinition(kSample, WindowsTarget::X86),
              std::string(kTop) +
                  "Quelmar_FI_AbrePortaSerial = Quelmar_FI_AbrePortaSerial@0\n"
                  "Quelmar_FI_AbrePorta = Quelmar_FI_AbrePorta@4\n"
                  "_Quelmar_FITEF_VendaCartao@8 = Quelmar_FITEF_VendaCartao@8\n"
                  "_Yanco_FI_VendeItem@36 = Yanco_FI_VendeItem@36\n"
                  "Quelmar_FI_CancAcrDescSubRecMFD = "
                  "Quelmar_FI_CancelaAcrescimoDescontoSubtotalRecebimentoMFD@4\n");
    EXPECT_EQ(moduleDefinition(kSample, WindowsTarget::X64),
              std::string(kTop) +
                  "Quelmar_FI_AbrePortaSerial\n"
                  "Quelmar_FI_AbrePorta\n"
                  "_Quelmar_FITEF_VendaCartao@8 = Quelmar_FITEF_VendaCartao\n"
                  "_Yanco_FI_VendeItem@36 = Yanco_FI_VendeItem\n"
                  "Quelmar_FI_CancAcrDescSubRecMFD = "
                  "Quelmar_FI_CancelaAcrescimoDescontoSubtotalRecebimentoMFD\n");
}

TEST(WindowsNames, ImportDefinitionBindsCompiledNamesToDllNames) {
    EXPECT_EQ(importDefinition(kSample, WindowsTarget::X86),
              std::string(kTop) +
                  "Quelmar_FI_AbrePortaSerial@0\n"
                  "Quelmar_FI_AbrePorta@4\n"
                  "Quelmar_FITEF_VendaCartao@8 == _Quelmar_FITEF_VendaCartao@8\n"
                  "Yanco_FI_VendeItem@36 == _Yanco_FI_VendeItem@36\n"
                  "Quelmar_FI_CancAcrDescSubRecMFD@4\n");
    EXPECT_EQ(importDefinition(kSample, WindowsTarget::X64),
              std::string(kTop) +
                  "Quelmar_FI_AbrePortaSerial\n"
                  "Quelmar_FI_AbrePorta\n"
                  "Quelmar_FITEF_VendaCartao == _Quelmar_FITEF_VendaCartao@8\n"
                  "Yanco_FI_VendeItem == _Yanco_FI_VendeItem@36\n"
                  "Quelmar_FI_CancAcrDescSubRecMFD\n");
}

}  // namespace
}  // namespace quelfi::exports
