// Quelmar_FI_InfoBalanca against the two virtual scales on in-process lines, with the virtual
// clock: each model's fields and states, its line, and every way a reading fails.
#include "quelfi32.h"
#include "scale_fixture.h"
#include "sim/scales/in_process_scale_line.h"
#include "support/library_fixture.h"

// The cases name only the settings and faults they set.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace quelfi::test {
namespace {

using sim::PlateState;

const std::string kSep = std::string(71, '-') + " ";
const std::string kName = "Quelmar_FI_InfoBalanca ";
const std::string kFailed = "Retorno Quelmar_FI_InfoBalanca: 0 - Erro de comunicacao ";

class ScaleTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugLine("COM2", [this](const platform::LineSettings& s) {
            return (model_ == 1 ? weightLine_ : pricingLine_).open(s);
        });
        configure("");
    }
    void configure(const std::string& keys) {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\n" + keys);
        load();
        std::remove((workDir() + "/QuelFI32.log").c_str());
    }
    // The scale of `model` on COM2.
    sim::InProcessScaleLine& serve(int model, const sim::PlateReading& reading) {
        model_ = model;
        sim::VirtualScale& scale =
            model == 1 ? static_cast<sim::VirtualScale&>(weightScale_) : pricingScale_;
        scale.weigh(reading.grams);
        scale.keyPrice(reading.pricePerKiloCentavos);
        scale.show(reading.state);
        return model == 1 ? weightLine_ : pricingLine_;
    }
    std::string callLog(const std::string& last) const { return logLines({kSep, kName, last}); }

    sim::WeightScale weightScale_;
    sim::PricingScale pricingScale_;
    sim::InProcessScaleLine weightLine_{weightScale_, platform};
    sim::InProcessScaleLine pricingLine_{pricingScale_, platform};
    int model_ = 1;
};

TEST_F(ScaleTest, EachModelHandsOutItsFieldsAndState) {
    struct Case {
        int model;
        PlateState state;
        int code;
        std::string buffers;
    };
    const Case cases[] = {
        {1, PlateState::Stable, 1, "02000###|########|########"},
        {1, PlateState::Negative, -33, "NNNNN###|########|########"},
        {1, PlateState::Unstable, -34, "IIIII###|########|########"},
        {1, PlateState::Overload, -35, "SSSSS###|########|########"},
        {2, PlateState::Stable, 1, "002000##|001290##|002580##"},
        {2, PlateState::Negative, -33, "NNNNNN##|001290##|000000##"},
        {2, PlateState::Unstable, -34, "IIIIII##|001290##|000000##"},
        {2, PlateState::Overload, -35, "SSSSSS##|001290##|000000##"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model * 10 + static_cast<int>(c.state));
        sim::InProcessScaleLine& line = serve(c.model, {2000, 1290, c.state});
        ScaleBuffers b;
        EXPECT_EQ(Quelmar_FI_InfoBalanca("COM2", c.model, b.peso, b.preco, b.total), c.code);
        EXPECT_EQ(b.all(), c.buffers);
        EXPECT_EQ(workLog(), callLog("Retorno Quelmar_FI_InfoBalanca: " + std::to_string(c.code)));
        EXPECT_FALSE(line.isOpen());
        std::remove((workDir() + "/QuelFI32.log").c_str());
    }
    EXPECT_EQ(weightLine_.written(), "\x05\x05\x05\x05");
    // Each model's own line, as the scale saw it.
    const platform::SerialTimeouts timeouts{1, 0, 200, 0, 200};
    EXPECT_TRUE(weightLine_.settings() == (platform::LineSettings{.baud = 2400,
                                                                  .ctsFlow = true,
                                                                  .rts = true,
                                                                  .xonXoffOutput = false,
                                                                  .xonXoffInput = true,
                                                                  .xonChar = 17,
                                                                  .xoffChar = 19,
                                                                  .parityCheck = true,
                                                                  .continueOnXoff = true,
                                                                  .dsrSensitivity = false,
                                                                  .timeouts = timeouts}));
    EXPECT_TRUE(pricingLine_.settings() == (platform::LineSettings{.baud = 2400,
                                                                   .xonXoffOutput = false,
                                                                   .xonXoffInput = false,
                                                                   .dsrSensitivity = false,
                                                                   .timeouts = timeouts}));
    // A null buffer is skipped.
    serve(2, kTwoKilos);
    ScaleBuffers b;
    EXPECT_EQ(Quelmar_FI_InfoBalanca("COM2", 2, nullptr, b.preco, nullptr), 1);
    EXPECT_EQ(b.all(), "########|001290##|########");
}

TEST_F(ScaleTest, FailedReadingsReturnZeroAndCloseThePort) {
    struct Case {
        std::string what;
        std::string port;
        int model;
        sim::ScaleLineFaults faults;
        int code;
        std::string buffers;
        std::uint64_t sleptMs;
        int openings;
    };
    using Faults = sim::ScaleLineFaults;
    const std::string untouched = "########|########|########";
    const Case cases[] = {
        {"five-character name", "COM10", 2, {}, 0, untouched, 0, 0},
        {"10 000-character name", std::string(10000, 'C'), 2, {}, 0, untouched, 0, 0},
        {"no such model", "COM2", 3, {}, -2, untouched, 0, 0},
        {"12-byte frame", "COM2", 2, Faults{.cutFrameTo = 12}, 0, "002000##|########|########", 400,
         1},
        {"no STX", "COM2", 2, Faults{.dropStx = true}, 0, untouched, 400, 1},
        {"no ETX within 4 s", "COM2", 2, Faults{.dropEtx = true}, 0, untouched, 4400, 1},
        {"answer after the STX wait", "COM2", 1, Faults{.lateMs = 700}, 0, untouched, 600, 1},
        {"stream without end", "COM2", 1, Faults{.endless = true}, 0, untouched, 4400, 1},
        {"100 000 bytes without ETX", "COM2", 2, Faults{.streamBytes = 100000, .unpaced = true}, 0,
         untouched, 4400, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::InProcessScaleLine& line = serve(c.model == 1 ? 1 : 2, kTwoKilos);
        line.setFaults(c.faults);
        const int openings = line.openings();
        const std::uint64_t slept = platform.slept();
        ScaleBuffers b;
        EXPECT_EQ(Quelmar_FI_InfoBalanca(c.port.c_str(), c.model, b.peso, b.preco, b.total),
                  c.code);
        EXPECT_EQ(b.all(), c.buffers);
        EXPECT_EQ(workLog(), callLog(c.code == 0 ? kFailed : "Retorno Quelmar_FI_InfoBalanca: -2"));
        EXPECT_EQ(platform.slept() - slept, c.sleptMs);
        EXPECT_EQ(line.openings() - openings, c.openings);
        EXPECT_FALSE(line.isOpen());
        line.setFaults({});
        std::remove((workDir() + "/QuelFI32.log").c_str());
    }
    EXPECT_EQ(pricingLine_.bytesRead() > 100000u, true);
    EXPECT_EQ(Quelmar_FI_InfoBalanca(nullptr, 2, nullptr, nullptr, nullptr), 0);
}

TEST_F(ScaleTest, NetworkClientLeavesTheRecordAndTouchesNoLine) {
    configure("ConfigRede=1\n");
    writeFile(workDir() + "/Status.txt", "6,0,0");
    ScaleBuffers b;
    EXPECT_EQ(Quelmar_FI_InfoBalanca("COM2", 2, b.peso, b.preco, b.total), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "241|COM2|2|");
    EXPECT_FALSE(fileExists(workDir() + "/Status.txt"));
    EXPECT_EQ(b.all(), "########|########|########");
    EXPECT_EQ(workLog(), callLog("Retorno Quelmar_FI_InfoBalanca: 1"));
    EXPECT_EQ(pricingLine_.openings() + weightLine_.openings(), 0);
}

}  // namespace
}  // namespace quelfi::test
