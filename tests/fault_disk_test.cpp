// The disk under the answer files and the log failing: a file that cannot grow (the process's
// file-size limit, as a full disk acts, set in a child process) and a shared directory that
// disappears. The POS gets -8 for an answer that could not be written, never a partial answer
// reported as done; a log that cannot be written never stops a call; and once the disk is back
// the same calls work.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "fault_fixture.h"

namespace quelfi::test {
namespace {

constexpr rlim_t kFileLimit = 1024;
// A child's way of saying the caller's buffer was written although the answer went to the file.
constexpr int kBufferTouched = 99;

// Runs `call` in a child process whose files cannot grow past kFileLimit bytes, and gives the
// call's result (or kBufferTouched).
template <typename F>
int withFilesLimited(F&& call) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit limit{kFileLimit, kFileLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(static_cast<unsigned char>(call()));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    return static_cast<signed char>(WEXITSTATUS(status));
}

TEST_F(FaultTest, AnswerFileThatCannotGrow) {
    configure("Retorno=1\nControlePorta=0\n");
    const auto answer = [] {
        std::vector<char> buffer(8192, '\0');
        const int result = Quelmar_FI_VerificaFormasPagamento(buffer.data());
        return buffer[0] == '\0' ? result : kBufferTouched;
    };
    EXPECT_EQ(withFilesLimited(answer), -8);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaFormasPagamento ",
                        "Retorno Quelmar_FI_VerificaFormasPagamento: -8 - Erro ao escrever no "
                        "arquivo retorno.txt"}));
    EXPECT_LE(readFile(workDir() + "/Retorno.txt").size(), kFileLimit);

    // With room again the whole answer is written.
    clearLog();
    EXPECT_EQ(answer(), 1);
    EXPECT_GT(readFile(workDir() + "/Retorno.txt").size(), kFileLimit);
}

TEST_F(FaultTest, LogThatCannotGrow) {
    configure();
    const std::string earlier(kFileLimit + 10, 'x');
    writeFile(workDir() + "/QuelFI32.log", earlier);
    const int result = withFilesLimited([] {
        char coo[8] = {};
        const int code = Quelmar_FI_NumeroCupom(coo);
        return std::string(coo) == "001234" ? code : -100;
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(workLog(), earlier);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,0,0");
}

TEST_F(FaultTest, SharedDirectoryThatDisappears) {
    namespace fs = std::filesystem;
    const std::string shared = workDir() + "/shared";
    fs::create_directory(shared);
    writeIni("[Sistema]\npath=" + shared +
             "\nLog=1\nStatus=1\nRetorno=1\nControlePorta=0\nPorta=COM1\n");
    load();
    fs::remove_all(shared);

    // The answer has nowhere to go: -8, and the caller's buffer is not written instead.
    char coo[8] = "x";
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), -8);
    EXPECT_STREQ(coo, "x");
    EXPECT_FALSE(fs::exists(shared));

    fs::create_directory(shared);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_EQ(readFile(shared + "/Retorno.txt"), "001234");
    EXPECT_EQ(readFile(shared + "/Status.txt"), "6,0,0");
    EXPECT_EQ(log(shared), logLines({kSep, "Quelmar_FI_NumeroCupom ", "Retorno impressora: 001234",
                                     "Retorno Quelmar_FI_NumeroCupom: 1"}));

    // A client whose shared directory is gone cannot leave its request: 0.
    writeIni("[Sistema]\npath=" + shared + "\nLog=1\nConfigRede=1\nPorta=COM1\n");
    load();
    fs::remove_all(shared);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
    fs::create_directory(shared);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_EQ(readFile(shared + "/Quelfi32.cmd"), "055|");
}

}  // namespace
}  // namespace quelfi::test
