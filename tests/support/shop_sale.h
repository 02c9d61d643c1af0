// Tests that run a point-of-sale program (an example, a program built against the package) as its
// own process at the shop of ShopPrinter, the printer on COM1 and the call log in c:\quelfi.
#pragma once

#include <string>
#include <vector>

#include "support/library_fixture.h"
#include "support/tool_process.h"

namespace quelfi::test {

struct Sale {
    ToolRun run;
    std::string log;  // the call log it left
    int coo = 0;      // the printer's document counter afterwards
};

class ShopSaleTest : public LibraryTest {
  protected:
    // Runs `program ARGS...` at a fresh shop; `env` as for runTool.
    Sale sell(const std::string& program, const std::vector<std::string>& args,
              const std::vector<std::string>& env);
};

}  // namespace quelfi::test
