// The declarations for Pascal, C# and Visual Basic against the export table and the library:
// every export declared once with its arguments in the Visual Basic module; every function of the
// Pascal unit and every method of the C# class bound to an export of the built library, by the
// Free Pascal linker and by Mono's loader. And the widths the declarations comment on come from
// a table that gives one for every answer buffer, as the query family writes it.
#include <filesystem>
#include <map>
#include <sstream>

#include "exports/answer_widths.h"
#include "exports/surface.h"
#include "fiscal/query_table.h"
#include "support/developer_tools.h"
#include "support/library_fixture.h"
#include "support/tool_process.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

const std::string kGenerated = QUELFI_BINARY_DIR "/generated";

// The comma-separated items of a parameter list, "(void)" and "()" having none.
std::vector<std::string> items(std::string list) {
    if (list.size() >= 2 && list.front() == '(') list = list.substr(1, list.size() - 2);
    if (list.find_first_not_of(" ") == std::string::npos || list == "void") return {};
    std::vector<std::string> out;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, ',');) {
        item.erase(0, item.find_first_not_of(' '));
        out.push_back(item);
    }
    return out;
}

TEST(Declarations, BasicModuleDeclaresEveryExportOnceWithItsArguments) {
    std::map<std::string, std::vector<std::size_t>> expected, declared;
    for (const auto& e : exports::kSurface)
        expected[std::string(e.name)].push_back(items(std::string(e.parameters)).size());

    std::istringstream module(readFile(kGenerated + "/QuelFI32.bas"));
    for (std::string line; std::getline(module, line);) {
        const auto declare = line.find("Declare ");
        if (declare == std::string::npos || line.rfind("'", 0) == 0) continue;
        std::istringstream words(line.substr(declare));
        std::string keyword, kind, name;
        words >> keyword >> kind >> name;
        const auto open = line.find(" (");
        const auto close = line.rfind(')');
        ASSERT_NE(open, std::string::npos) << line;
        declared[name].push_back(items(line.substr(open + 1, close - open)).size());
    }
    EXPECT_EQ(declared, expected);
}

TEST(Declarations, EveryAnswerBufferHasOneWidth) {
    std::map<std::string, int> buffers, widths;
    for (const auto& e : exports::kSurface) {
        for (const std::string& p : items(std::string(e.parameters)))
            if (p.rfind("char*", 0) == 0) buffers[std::string(e.name) + " " + p.substr(6)] = 1;
    }
    for (const auto& row : exports::kAnswerWidths)
        ++widths[std::string(row.exportName) + " " + std::string(row.parameter)];
    EXPECT_EQ(widths, buffers);
}

TEST(Declarations, WidthsAreTheWidthsTheQueriesWrite) {
    for (auto m = fiscal::membersBegin(); m != fiscal::membersEnd(); ++m) {
        std::vector<std::string> answers;
        for (const auto& e : exports::kSurface) {
            if (e.name != m->name) continue;
            for (const std::string& p : items(std::string(e.parameters)))
                if (p.rfind("char*", 0) == 0) answers.push_back(p.substr(6));
        }
        if (answers.empty()) continue;  // an integer member, or no export
        SCOPED_TRACE(std::string(m->name));
        if (m->split == 0) {
            ASSERT_EQ(answers.size(), 1u);
            EXPECT_EQ(exports::answerWidth(m->name, answers[0]), static_cast<int>(m->width));
        } else {
            ASSERT_EQ(answers.size(), 2u);
            EXPECT_EQ(exports::answerWidth(m->name, answers[0]), static_cast<int>(m->split));
            EXPECT_EQ(exports::answerWidth(m->name, answers[1]),
                      static_cast<int>(m->width - m->split));
        }
    }
}

class BoundDeclarationsTest : public LibraryTest {
  protected:
    std::string libraryDir() const { return fs::path(QUELFI_SHARED_LIBRARY).parent_path(); }
};

TEST_F(BoundDeclarationsTest, PascalUnitLinksEveryExport) {
    QUELFI_NEED_PLAIN_BUILD();
    const std::string fpc = programPath("fpc");
    QUELFI_NEED_PROGRAM(fpc, "fpc");
    std::string program = "program EveryExport;\nuses QuelFI32;\nvar p: Pointer;\nbegin\n";
    for (const auto& e : exports::kSurface) program += "  p := @" + std::string(e.name) + ";\n";
    writeFile(root() + "/every.pas", program + "  if p = nil then Halt(1);\nend.\n");
    const ToolRun built = runTool(fpc, {"-Mdelphi", "-FU" + root(), "-Fu" + kGenerated,
                                        "-Fl" + libraryDir(), root() + "/every.pas"});
    EXPECT_EQ(built.exitCode, 0) << built.out << built.err;
}

TEST_F(BoundDeclarationsTest, CSharpClassFindsEveryExport) {
    QUELFI_NEED_PLAIN_BUILD();
    const std::string mcs = programPath("mcs"), mono = programPath("mono");
    QUELFI_NEED_PROGRAM(mcs, "mcs");
    QUELFI_NEED_PROGRAM(mono, "mono");
    writeFile(root() + "/Every.cs",
              "public static class Every {\n"
              "    public static void Main() {\n"
              "        System.Runtime.InteropServices.Marshal.PrelinkAll(typeof(QuelFI32));\n"
              "        System.Console.Write(\"bound\");\n"
              "    }\n"
              "}\n");
    const ToolRun built = runTool(mcs, {"-nologo", "-out:" + root() + "/Every.exe",
                                        root() + "/Every.cs", kGenerated + "/QuelFI32.cs"});
    ASSERT_EQ(built.exitCode, 0) << built.out << built.err;
    const ToolRun bound =
        runTool(mono, {root() + "/Every.exe"}, {"LD_LIBRARY_PATH=" + libraryDir()});
    EXPECT_EQ(bound.out, "bound");
    EXPECT_EQ(bound.err, "");
}

}  // namespace
}  // namespace quelfi::test
