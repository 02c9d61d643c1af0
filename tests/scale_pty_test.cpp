// The virtual scales served on pseudo-terminals and reached as the library reaches a real scale:
// both models through Quelmar_FI_InfoBalanca, the line each model set while its scale answered,
// the port free after every call; and the scale of "quelfi sim --scale" through "quelfi call".
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

#include "quelfi32.h"
#include "scale_fixture.h"
#include "sim/pty_server.h"
#include "support/library_fixture.h"
#include "support/tool_process.h"

namespace quelfi::test {
namespace {

// Whether a program could now take the device for itself.
bool portFree(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const bool free = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0) ::close(fd);
    return free;
}

class ScalePtyTest : public LibraryTest {};

TEST_F(ScalePtyTest, BothModelsAnswerOnTheLineTheLibrarySet) {
    struct Case {
        int model;
        std::string buffers;
    };
    const Case cases[] = {{1, "02000###|########|########"}, {2, "002000##|001290##|002580##"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        std::unique_ptr<sim::VirtualScale> scale;
        scale = c.model == 1 ? std::unique_ptr<sim::VirtualScale>(new sim::WeightScale(kTwoKilos))
                             : std::make_unique<sim::PricingScale>(kTwoKilos);
        sim::PtyServer server(*scale);
        server.linkAs(portDir() + "/COM2");
        ScaleBuffers b;
        EXPECT_EQ(Quelmar_FI_InfoBalanca("COM2", c.model, b.peso, b.preco, b.total), 1);
        EXPECT_EQ(b.all(), c.buffers);
        // Read back from the pseudo-terminal as the scale answered.
        EXPECT_TRUE(scale->lineAtLastAnswer() == sim::VirtualScale::kLine);
        EXPECT_TRUE(portFree(server.devicePath()));
    }
}

TEST_F(ScalePtyTest, QuelfiSimServesAScaleThatQuelfiCallReads) {
    const std::string typing = root() + "/typing";
    ASSERT_EQ(::mkfifo(typing.c_str(), 0600), 0);
    // Held open for writing first, so the program's opening of its input does not wait for it.
    const int keyboard = ::open(typing.c_str(), O_RDWR);
    ASSERT_GE(keyboard, 0);
    ToolProcess sim(
        QUELFI_TOOL,
        {"sim", "--fresh", "--state", root() + "/printer.state", "--quiet", "--port-dir", portDir(),
         "--scale", "2", "--weight", "2,000", "--price", "12,90"},
        root() + "/sim.out", {}, typing);
    ASSERT_TRUE(waitForPath(portDir() + "/COM2")) << readFile(root() + "/sim.out.err");

    ToolRun run = runTool(QUELFI_TOOL, {"call", "Quelmar_FI_InfoBalanca", "COM2", "2"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "peso       002000\n"
              "precoKilo  001290\n"
              "total      002580\n"
              "result     1  done\n");

    // What is typed reaches the scale within its look at the keyboard (every 100 ms).
    const std::string overloaded = "S\n";
    ASSERT_EQ(::write(keyboard, overloaded.data(), overloaded.size()), 2);
    for (int tries = 0; tries < 50; ++tries) {
        run = runTool(QUELFI_TOOL, {"call", "Quelmar_FI_InfoBalanca", "COM2", "2"});
        if (run.exitCode != 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              "peso       SSSSSS\n"
              "precoKilo  001290\n"
              "total      000000\n"
              "result     -35  scale overloaded\n");
    ::close(keyboard);
    EXPECT_EQ(sim.stop(SIGINT), 0);
}

}  // namespace
}  // namespace quelfi::test
