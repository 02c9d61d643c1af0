// "quelfi sim"'s command line and the printer it starts with: the kept state first, then the
// machine options and the seed over it.
#include "quelfi/sim_settings.h"

#include <cstdlib>

#include "sim/quelmar/model_file.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using tool::parseSimSettings;
using tool::startingModel;

class SimSettingsTest : public LibraryTest {};

TEST_F(SimSettingsTest, OptionsAndDefaults) {
    const char* home = std::getenv("HOME");
    const std::string previousHome = home ? home : "";
    ::setenv("HOME", root().c_str(), 1);
    std::string error;
    auto settings = parseSimSettings({}, error);
    if (home)
        ::setenv("HOME", previousHome.c_str(), 1);
    else
        ::unsetenv("HOME");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->stateFile, root() + "/.quelfi/printer.state");
    EXPECT_EQ(settings->portDirectory, portDir());  // the test's QUELFI_PORT_DIR
    EXPECT_EQ(settings->seed, "");

    settings = parseSimSettings({"--seed", "coo=5", "--type", "3", "--mfd", "--firmware",
                                 "01.03.00", "--state", "kept.state", "--paper", "roll.txt",
                                 "--emulator", "--quiet", "--fresh", "--port-dir", "p"},
                                error);
    ASSERT_TRUE(settings);
    // The machine options come first, so a seed can still override them.
    EXPECT_EQ(settings->seed, "type=3;mfd=1;firmware=01.03.00;coo=5;");
    EXPECT_EQ(settings->stateFile, workDir() + "/kept.state");
    EXPECT_EQ(settings->portDirectory, workDir() + "/p");
    EXPECT_EQ(settings->paperFile, "roll.txt");
    EXPECT_TRUE(settings->emulator && settings->quiet && settings->fresh);

    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--type"}, "--type needs a value"},
             {{"--bogus", "1"}, "unknown option '--bogus'"},
             {{"stray"}, "unexpected argument 'stray'"}}) {
        EXPECT_FALSE(parseSimSettings(args, error));
        EXPECT_EQ(error, message);
    }
}

TEST_F(SimSettingsTest, KeptStateUnderTheSeed) {
    std::string error;
    tool::SimSettings settings;
    settings.stateFile = root() + "/printer.state";
    settings.seed = "type=2;coo=9;";
    // No state file yet: a new printer with the seed.
    auto model = startingModel(settings, error);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->counters.coo, 9);
    EXPECT_EQ(model->printerType, 2);

    sim::FiscalModel kept;
    kept.counters.coo = 7;
    kept.grandTotal = 123456;
    kept.drawerOpen = true;
    ASSERT_TRUE(sim::saveModel(kept, settings.stateFile));
    model = startingModel(settings, error);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->counters.coo, 9);
    EXPECT_EQ(model->grandTotal, 123456);
    EXPECT_TRUE(model->drawerOpen);

    settings.fresh = true;
    model = startingModel(settings, error);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->grandTotal, 0);

    settings.fresh = false;
    settings.seed = "coo=x";
    EXPECT_FALSE(startingModel(settings, error));
    EXPECT_EQ(error, "seed: bad value for 'coo': 'x'");
}

}  // namespace
}  // namespace quelfi::test
