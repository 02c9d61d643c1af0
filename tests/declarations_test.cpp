// The Visual Basic module against the export table: every export declared once, with its arguments.
#include <map>
#include <sstream>

#include "exports/surface.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

const std::string kGenerated = QUELFI_BINARY_DIR "/generated";

// The items of a parameter list, "(void)" and "()" having none.
std::vector<std::string> items(std::string list) {
    if (list.size() >= 2 && list.front() == '(') list = list.substr(1, list.size() - 2);
    if (list.find_first_not_of(" ") == std::string::npos || list == "void") return {};
    std::vector<std::string> out;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, ',');)
        out.push_back(item.erase(0, item.find_first_not_of(' ')));
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
        const auto open = line.find(" ("), close = line.rfind(')');
        ASSERT_NE(open, std::string::npos) << line;
        declared[name].push_back(items(line.substr(open + 1, close - open)).size());
    }
    EXPECT_EQ(declared, expected);
}

}  // namespace
}  // namespace quelfi::test
