// The formatter module as the library loads it: what it writes from a downloaded file, and where
// the library looks for it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/platform.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

// The built module, opened by its path.
class BuiltModule final : public platform::LoadedModule {
  public:
    BuiltModule() : handle_(::dlopen(QUELFI_FORMATTER_MODULE, RTLD_NOW | RTLD_LOCAL)) {}
    ~BuiltModule() override {
        if (handle_) ::dlclose(handle_);
    }
    platform::ModuleEntry entry(const std::string& name) override {
        return reinterpret_cast<platform::ModuleEntry>(::dlsym(handle_, name.c_str()));
    }

  private:
    void* handle_;
};

// A download: the printer, a December reduction, a November one, two documents.
const std::string kDownload =
    "P|QM0123456789|12.345.678/0001-90|110.042.490.114|LOJA|001|007\r\n"
    "Z|0001|000001|000010|0001|30112024|100000|50000|0|0|0|0|0|T1800=50000\r\n"
    "Z|0002|000011|000020|0001|02122024|150000|50000|500|100|2000|0|0|T1800=45000;S0500=3000\r\n"
    "D|000011|CUPOM|02122024|093000|2\r\nL|{A\\B} ma\x87\xc6 \r\nL|TOTAL 1,00\r\n"
    "D|000012|CUPOM|03122024|100000|1\r\nL|FIM\r\n";

class FormatterModuleTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        reconfigure("");
        writeFile(workDir() + "/M.MFD", kDownload);
        platform.plugModule("QuelMFD.dll", [] { return std::make_unique<BuiltModule>(); });
    }
};

TEST_F(FormatterModuleTest, TextRtfAndDatabase) {
    ASSERT_EQ(Quelmar_FI_FormatoDadosMFD("M.MFD", "m.txt", "0", "2", "12", "12", "1"), 1);
    EXPECT_EQ(readFile(workDir() + "/m.txt"),
              "MEMORIA FISCAL - ECF QM0123456789\r\n"
              "CNPJ 12.345.678/0001-90  IE 110.042.490.114\r\nLOJA\r\n"
              "CRZ 0001  30112024  COO 000001-000010  VB 500,00  GT 1000,00\r\n"
              "CRZ 0002  02122024  COO 000011-000020  VB 500,00  GT 1500,00\r\n" +
                  std::string(48, '=') + "\r\nCOO 000012  CUPOM  03122024 100000\r\nFIM\r\n");
    ASSERT_EQ(Quelmar_FI_FormatoDadosMFD("M.MFD", "m.rtf", "1", "1", "02122024", "021224", ""), 1);
    const std::string rtf = readFile(workDir() + "/m.rtf");
    EXPECT_NE(rtf.find("\\{A\\\\B\\} ma\\'e7\\'e3 \\par\r\nTOTAL 1,00\\par\r\n}\r\n"),
              std::string::npos);
    ASSERT_EQ(Quelmar_FI_FormatoDadosMFD("M.MFD", "m.db", "2", "0", "", "", ""), 1);
    EXPECT_EQ(readFile(workDir() + "/m.db").substr(0, 16), std::string("SQLite format 3\0", 16));
    // An unreadable source, an unwritable destination.
    EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("none.MFD", "m.txt", "0", "0", "", "", ""), -8);
    EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("M.MFD", "no/m.txt", "0", "0", "", "", ""), -8);
}

TEST_F(FormatterModuleTest, SintegraRegistersOfTheMonth) {
    ASSERT_EQ(Quelmar_FI_GeraRelatorioSintegraMFD(0, "M.MFD", "s.txt", "12", "2024", "LOJA LTDA",
                                                  "RUA A", "12", "", "CENTRO", "CURITIBA",
                                                  "80000-000", "4133334444", "", "ANA"),
              1);
    const std::string serial = "QM0123456789" + std::string(8, ' ');
    const auto pad = [](std::string r) { return r + std::string(126 - r.size(), ' ') + "\r\n"; };
    EXPECT_EQ(
        readFile(workDir() + "/s.txt"),
        pad("1012345678000190110042490114  LOJA LTDA" + std::string(26, ' ') + "CURITIBA" +
            std::string(24, ' ') + "0000000000" + "2024120120241231331") +
            pad("11RUA A" + std::string(29, ' ') + "00012" + std::string(22, ' ') + "CENTRO" +
                std::string(9, ' ') + "80000000ANA" + std::string(25, ' ') + "004133334444") +
            pad("60M20241202" + serial +
                "0012D00001100002000000200100000000000500000000000000150000") +
            pad("60A20241202" + serial + "1800000000045000") +
            pad("60A20241202" + serial + "F   000000000000") +
            pad("60A20241202" + serial + "I   000000002000") +
            pad("60A20241202" + serial + "N   000000000000") +
            pad("60A20241202" + serial + "CANC000000000500") +
            pad("60A20241202" + serial + "DESC000000000100") +
            pad("9012345678000190110042490114  60000000079900000010" + std::string(75, ' ') + "1"));
}

TEST_F(FormatterModuleTest, NeverLoadedFromTheCurrentDirectory) {
    // A module planted where the shop's files are written; none where the library looks.
    platform.plugModule("QuelMFD.dll",
                        [] { return platform::systemPlatform().loadModule("QuelMFD.dll"); });
    std::filesystem::copy_file(QUELFI_FORMATTER_MODULE, workDir() + "/libquelmfd.so");
    ASSERT_EQ(std::filesystem::current_path(), std::filesystem::path(workDir()));
    EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("M.MFD", "m.txt", "0", "0", "", "", ""), -1);
    EXPECT_FALSE(fileExists(workDir() + "/m.txt"));
    // Beside the system's configuration it is found.
    std::filesystem::copy_file(QUELFI_FORMATTER_MODULE, systemDir() + "/libquelmfd.so");
    EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("M.MFD", "m.txt", "0", "0", "", "", ""), 1);
}

}  // namespace
}  // namespace quelfi::test
