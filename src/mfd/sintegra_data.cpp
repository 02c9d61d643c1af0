// The registers are written to a temporary file beside the program first, so that Retorno.txt is
// replaced only by a whole result and never left half-written.
#include "mfd/sintegra_data.h"

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/day_operations.h"
#include "mfd/sintegra_reading.h"
#include "platform/platform.h"
#include "protocol/call.h"

namespace quelfi::mfd {

namespace {

const std::string kTemporaryFile = ".\\TMPSINTEGRA.TXT";

}  // namespace

int sintegraData(const Road& road, const char* firstDate, const char* lastDate) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_DadosSintegra"),
                              core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    const std::string first = core::argText(firstDate);
    const std::string last = core::argText(lastDate);
    if (auto forwarded = call.handOver({first, last})) return *forwarded;
    if (!first.empty() || !last.empty()) {
        const int read = core::nested(
            [&] { return fiscal::fiscalMemoryByDate(road, firstDate, lastDate, true); });
        if (read != 1) return call.finish(read);
    }
    const std::string& answerFile = core::state().answerFilePath;
    const auto text = platform::readWholeFile(answerFile);
    if (!text)
        return call.failLine(
            -8, "Retorno Quelmar_FI_DadosSintegra: -8 - Erro na abertura do arquivo retorno.txt");
    const SintegraReading reading = parseSintegraReading(*text);
    // A reading made in training mode has no fiscal value: no registers come from it.
    if (reading.training) return call.fail(0, "Leitura em modo de treinamento");
    // Written as a text file, each line end as CR LF, like the other computed reports.
    std::string registers;
    for (const char c : sintegraRegisters(reading))
        registers += c == '\n' ? "\r\n" : std::string(1, c);
    if (!platform::replaceFile(kTemporaryFile, registers))
        return call.failLine(
            -8, "Retorno Quelmar_FI_DadosSintegra: -8 - Erro na criacao do arquivo retorno.txt ");
    const auto written = platform::readWholeFile(kTemporaryFile);
    platform::removeFile(kTemporaryFile);
    if (!written || !platform::replaceFile(answerFile, *written))
        return call.failLine(
            -8, "Retorno Quelmar_FI_DadosSintegra: -8 - Erro na criacao do arquivo retorno.txt ");
    return call.finish(1);
}

}  // namespace quelfi::mfd
