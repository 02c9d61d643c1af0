// The reports composed on the PC and printed, the journal printers' readings into the answer file
// and their passenger ticket, against the virtual printer.
#include <gtest/gtest.h>

#include <algorithm>

#include "quelfi32.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

std::string name(int i) {
    return std::string("DEPTO") + char('A' + i) + "    ";
}

TEST_F(VirtualPrinterTest, DepartmentsPrintedInTwoPartsPastSixHundredTen) {
    std::string seed = "departments=";
    for (int i = 0; i < 20; ++i) seed += (i ? "," : "") + name(i);
    seed += "; department.1.total=1234.56; department.20.total=0.07";
    reseed(seed);
    const std::size_t first = port.frames().size();
    clearLog();
    ASSERT_EQ(Quelmar_FI_ImprimeDepartamentos(), 1);

    std::string expected = "\n\x1B\x0E    DEPARTAMENTOS\x1B\x14\r\n";
    for (int i = 0; i < 20; ++i) {
        const std::string amount = i == 0 ? "1.234,56" : i == 19 ? "0,07" : "0,00";
        expected += name(i) + std::string(30 - amount.size(), ' ') + amount + "\r\n";
    }
    expected += "Qtde de departamentos" + std::string(17, ' ') + "20\r\n";
    expected += "Total" + std::string(27, ' ') + "1.234,63\r\n";
    std::string printed;
    for (const std::string& command : commands(first))
        if (command.size() > 1 && command[1] == '\x14') printed += command.substr(2);
    // Each management-report text gets its own line end.
    EXPECT_EQ(printed, expected.substr(0, 610) + "\r\n" + expected.substr(610) + "\r\n");
    std::vector<std::string> log(1);
    for (const char c : workLog()) {
        if (c == '\n') log.emplace_back();
        if (c != '\r' && c != '\n') log.back() += c;
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "Quelmar_FI_RelatorioGerencial "), 2);
    EXPECT_EQ(log.front(), kSep);
    EXPECT_EQ(log[log.size() - 2], "Retorno Quelmar_FI_ImprimeDepartamentos: 1");
}

TEST_F(VirtualPrinterTest, JournalReadingsIntoTheFileAndThePassengerTicket) {
    reseed("mfd=1; crz=1; z.1.movement=14/03/2024; z.1.gt=10.00; z.1.coo=12; z.1.crz=1");
    connect("[MFD]\nImpressora=1\n");
    ASSERT_EQ(Quelmar_FI_HabDesRetMFD("1"), 1);
    const std::size_t paper = printer.paper().lines().size();
    ASSERT_EQ(Quelmar_FI_LeituraMemoriaFiscalSerialReducaoMFD("1", "1", "s"), 1);
    EXPECT_EQ(commands().back(),
              "\x1C\x08"
              "000001000001r");
    EXPECT_GT(answerFile().size(), 100u);
    ASSERT_EQ(Quelmar_FI_LeituraMemoriaFiscalSerialDataMFD("140324", "140324", "C"), 1);
    EXPECT_EQ(commands().back(),
              "\x1C\x08"
              "140324140324R");
    EXPECT_EQ(printer.paper().lines().size(), paper);

    const std::size_t sent = port.frames().size();
    clearLog();
    EXPECT_EQ(Quelmar_FI_AbreBilhetePassagemMFD(nullptr, "B", "C", "", "", "", "", "", "1", "", "",
                                                "", ""),
              -2);
    EXPECT_EQ(Quelmar_FI_AbreBilhetePassagemMFD("A", "B", "C", "", "150324", "101010", "1x", "",
                                                "1", "", "", "", ""),
              -2);
    EXPECT_EQ(port.frames().size(), sent);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbreBilhetePassagemMFD ",
                                   "Retorno: -2 - Parametro invalido para embarque", kSep,
                                   "Quelmar_FI_AbreBilhetePassagemMFD ",
                                   "Retorno: -2 - Parametro invalido para poltrona: 1x"}));
    Quelmar_FI_AbreBilhetePassagemMFD("Rio", "Santos", "L1", "Ag", "150324", "101010", "7", "P2",
                                      "1", "RG9", "Ana", "Rua", "SP");
    auto field = [](const std::string& text, std::size_t width) {
        return text + std::string(width - text.size(), ' ');
    };
    EXPECT_EQ(commands().back(), "\x1C%000" + field("Rio", 40) + field("Santos", 40) +
                                     field("L1", 40) + std::string(80, ' ') + field("Ag", 40) +
                                     "150324101010" + "07" + "P2 " + "1" + "SP" + field("RG9", 29) +
                                     field("Ana", 30) + field("Rua", 80));
}

TEST_F(VirtualPrinterTest, SintegraRegistersFromTheStreamedReadingOfEachReduction) {
    const std::string seed =
        "mfd=1; serial=QM0123456789; register=7; crz=1; cro=2; rates=18.00,5.00/ISS;"
        "z.1.rates=18.00,5.00/ISS; z.1.ratetotals=100.00,20.00; z.1.icms.cancellations=1.50;"
        "z.1.icms.discounts=0.50; z.1.icms.substitution=3.00; z.1.movement=14/03/2024;"
        "z.1.gt=123.00; z.1.coo=1200; z.1.crz=1";
    reseed(seed);
    connect("[MFD]\nImpressora=1\n");
    ASSERT_EQ(Quelmar_FI_HabDesRetMFD("1"), 1);
    ASSERT_EQ(Quelmar_FI_DadosSintegra("140324", "140324"), 1);
    const std::string head = "20240314QM0123456789        ";
    auto analytic = [&](const std::string& code, const std::string& cents) {
        return "60A" + head + code + std::string(12 - cents.size(), '0') + cents +
               std::string(79, ' ') + "\r\n";
    };
    EXPECT_EQ(answerFile(), "60M" + head + "0072D0012000012000000010020000000000012500" +
                                "0000000000012300" + std::string(37, ' ') + "\r\n" +
                                analytic("1800", "10000") + analytic("ISS ", "2000") +
                                analytic("CANC", "150") + analytic("DESC", "50") +
                                analytic("F   ", "300"));

    reseed(seed + "; training=1");
    clearLog();
    EXPECT_EQ(Quelmar_FI_DadosSintegra("140324", "140324"), 0);
    const std::string log = workLog();
    const std::string last =
        logLines({"Retorno Quelmar_FI_DadosSintegra: 0 - Leitura em modo de treinamento"});
    ASSERT_GE(log.size(), last.size());
    EXPECT_EQ(log.substr(log.size() - last.size()), last);
}

}  // namespace
}  // namespace quelfi::test
