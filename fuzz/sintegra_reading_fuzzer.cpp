// The fiscal-memory reading left in Retorno.txt as outside data, read back by the SINTEGRA export.
// Holds: any text parses, and every register written from it is 126 characters and a line end,
// 60M or 60A.
#include <cstdint>
#include <string>

#include "mfd/sintegra_reading.h"
#include "support/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quelfi::fuzz::FuzzInput in(data, size);
    const std::string text = in.rest();
    const std::string registers =
        quelfi::mfd::sintegraRegisters(quelfi::mfd::parseSintegraReading(text));
    constexpr std::size_t kLine = 127;
    quelfi::fuzz::check(registers.size() % kLine == 0, "registers of 126 characters");
    for (std::size_t at = 0; at < registers.size(); at += kLine) {
        const std::string line = registers.substr(at, kLine);
        quelfi::fuzz::check(line.back() == '\n' && line.find('\n') == kLine - 1, "one line end",
                            line);
        quelfi::fuzz::check(line.starts_with("60M") || line.starts_with("60A"), "register type",
                            line);
    }
    return 0;
}
