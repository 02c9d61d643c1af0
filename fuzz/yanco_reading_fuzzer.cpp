// The Yanco printer's reading frames, gathered from the line: outside bytes, composed into the X
// reading and the fiscal-memory reading, which the SINTEGRA export then reads back.
// Holds: any lines compose; both texts are whole CR LF lines; the X reading keeps its title and
// its six sections in order; registers from the composed fiscal memory are 126 characters.
#include <cstdint>
#include <string>

#include "adapters/yanco/yanco_reading_text.h"
#include "mfd/sintegra_reading.h"
#include "support/fuzz_input.h"

namespace {

void checkWholeLines(const std::string& text, const char* what) {
    quelfi::fuzz::check(text.empty() || text.ends_with("\r\n"), what, text);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        quelfi::fuzz::check(at > 0 && text[at - 1] == '\r', what, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quelfi::fuzz::FuzzInput in(data, size);
    const std::vector<std::string> lines = quelfi::yanco::readingLines(in.rest());

    const std::string x = quelfi::yanco::composeXReading(lines);
    checkWholeLines(x, "X reading lines end CR LF");
    std::size_t at = x.find("             L E I T U R A  X");
    quelfi::fuzz::check(at == 0, "X reading title first", x);
    for (const char* section : {"[ TOTALIZADORES ]", "[ CONTADORES ]", "[ OPERACOES NAO FISCAIS ]",
                                "[ FORMAS DE PAGAMENTO ]", "[ SITUACOES TRIBUTARIAS ]", "[ ISS ]"}) {
        at = x.find(section, at);
        quelfi::fuzz::check(at != std::string::npos, "X reading sections in order", x);
    }

    const std::string memory = quelfi::yanco::composeFiscalMemory(lines);
    checkWholeLines(memory, "fiscal memory lines end CR LF");
    const std::string registers =
        quelfi::mfd::sintegraRegisters(quelfi::mfd::parseSintegraReading(memory));
    quelfi::fuzz::check(registers.size() % 127 == 0, "registers of 126 characters", registers);
    return 0;
}
