// The status exports as a POS program sees them: return codes, outputs and the call log.
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kSep = std::string(71, '-') + " ";

class StatusExportsTest : public ProtocolTest {};

TEST_F(StatusExportsTest, StatusRequestCompletesTheCouponOpenBit) {
    configure("StatusFuncao=1\n");
    line->reply(bytes({6, 64, 0}));
    // The fiscal flags say a coupon is open; their own reply's status must not leak.
    line->reply(bytes({6, 1 + 32, 99, 1}));
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), -27);
    EXPECT_EQ(line->written, frameOf("\x1B\x13") + frameOf("\x1B#\x11"));
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(st1, 66);
    EXPECT_EQ(st2, 0);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ", "Quelmar_FI_AbrePortaSerial ",
                        "Parâmetro: COM1", "Retorno Quelmar_FI_AbrePortaSerial: 1", kSep,
                        "Quelmar_FI_FlagsFiscais ", "Retorno impressora: 033",
                        "Retorno Quelmar_FI_FlagsFiscais: -27", "Retorno impressora: 6,66,0",
                        "Retorno Quelmar_FI_VerificaEstadoImpresora: -27"}));

    // ST1 already saying coupon open: the flags are not asked; null outputs are fine.
    const std::size_t before = line->written.size();
    line->reply(bytes({6, 2, 0}));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(nullptr, nullptr, nullptr), -27);
    EXPECT_EQ(line->written.substr(before), frameOf("\x1B\x13"));
}

TEST_F(StatusExportsTest, StatusRequestWithoutAnswerIsACommunicationFailure) {
    configure();
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    state().nestedCall = 1;  // the separator is written even when nested
    short ack = 7;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, nullptr, nullptr), 0);
    EXPECT_EQ(ack, 7);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ",
                                   "Retorno Quelmar_FI_VerificaEstadoImpresora: 0 - Erro de "
                                   "comunicacao"}));
}

TEST_F(StatusExportsTest, StatusRequestOnAPortThatDoesNotOpenGivesTheOpeningsCode) {
    configure();
    state().portName = "COM7";
    short ack = 7;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, nullptr, nullptr), -5);
    EXPECT_EQ(ack, 7);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ",
                                   "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM7",
                                   "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta",
                                   "Retorno Quelmar_FI_VerificaEstadoImpresora: -5"}));
}

TEST_F(StatusExportsTest, LastStatusIsReturnedWithoutTalkingToThePrinter) {
    configure();
    line->reply(bytes({6, 8, 16}));
    line->reply(bytes({6, 0, 0, 0}));  // the fiscal flags: no coupon open
    Quelmar_FI_VerificaEstadoImpressora(nullptr, nullptr, nullptr);
    const std::size_t written = line->written.size();
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(line->written.size(), written);
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(st1, 8);
    EXPECT_EQ(st2, 16);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_RetornoImpressora ", "Retorno impressora: 6,8,16",
                        "Retorno Quelmar_FI_RetornoImpressora: 1"}));
}

TEST_F(StatusExportsTest, NetworkClientReadsTheDriversStatusFile) {
    configure("ConfigRede=1\n");
    writeFile(workDir() + "/Status.txt", "6,2,1");
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(st1, 2);
    EXPECT_EQ(st2, 1);

    std::filesystem::remove(workDir() + "/Status.txt");
    const std::uint32_t start = platform.tickCount();
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 0);
    EXPECT_EQ(platform.tickCount() - start, 499u * 100u);  // 500 tries, 100 ms apart

    // The status request itself only leaves its record for the driver.
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "095|");
    EXPECT_TRUE(line->written.empty());
}

}  // namespace
}  // namespace quelfi::test
