// The TEF manager's status and response files as outside data, read by the acknowledgement wait,
// the response wait of each operation and the response reader. Holds: every wait ends within its
// limits on the virtual clock with one of its codes, the kept control code fits its field, and
// the voucher file written from the response reads back line by line as printed text.
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

#include "core/printer_state.h"
#include "exports/boundary.h"
#include "platform/platform.h"
#include "support/fuzz_input.h"
#include "support/fuzz_platform.h"
#include "support/scratch_dir.h"
#include "tef/exchange_format.h"
#include "tef/exchange_waits.h"
#include "tef/response_reader.h"
#include "tef/response_text.h"

namespace {

using namespace quelfi;
using fuzz::check;

// The report's wait takes any identification; the others drop a response of another one and wait
// out their 225 s, which is slow to fuzz: the report comes up more often.
const char* const kOperations[] = {"CRT", "CHQ",       "CNF",       "CNC",
                                   "ADM", "Gerencial", "Gerencial", "Gerencial"};
// The longest a wait may take: the response wait's 225 s and the operator's "no", with room.
constexpr std::uint64_t kWaitLimitMs = 240000;

void checkResult(int result, std::set<int> codes, const char* what) {
    check(codes.contains(result), what, std::to_string(result));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzPlatform platform;
    const fuzz::ScratchDir& dir = fuzz::ScratchDir::get();
    const fuzz::InWorkDir inWorkDir;
    fuzz::FuzzInput in(data, size);

    const std::string responses = dir.workDir() + "/resp";
    std::filesystem::create_directories(responses);
    dir.writeIni("[Sistema]\r\npath=" + dir.workDir() + "\r\n[TEF]\r\nREQ=" + dir.workDir() +
                 "\r\nRESP=" + responses + "\r\n");
    core::resetState();
    core::state().platform = &platform;
    platform.prompts.clear();
    platform.transientMessages.clear();
    exports::libraryLoad();

    const std::string operation = kOperations[in.below(std::size(kOperations))];
    core::state().tef.adminRequest = in.flag();
    const std::string identifications[] = {"1001", "", "0", in.text(12)};
    const std::string id = identifications[in.below(std::size(identifications))];
    const std::string status = in.text(512);
    const std::string response = in.rest();
    const core::TefState& tef = core::state().tef;

    platform.startCall(kWaitLimitMs);
    fuzz::writeWholeFile(responses + "/IntPos.sts", status);
    checkResult(tef::awaitAcknowledgement(id), {1, -19, -23}, "acknowledgement wait answered");
    fuzz::writeWholeFile(responses + "/IntPos.001", response);
    checkResult(tef::awaitResponse(id, operation), {1, -20, -21, -23, -26, -28},
                "response wait answered");
    fuzz::writeWholeFile(responses + "/IntPos.001", response);
    checkResult(tef::readResponse(id), {1, -19}, "response reader answered");
    check(tef.controlCode.size() <= 31, "control code longer than its field");
    if (const auto voucher = platform::readWholeFile(responses + "/Imprime.txt")) {
        for (const std::string& line : tef::exchangeLines(*voucher))
            check(!tef::printedLine(line).empty(), "voucher line printed as nothing");
    }
    platform.startCall(0);
    core::resetState();
    return 0;
}
