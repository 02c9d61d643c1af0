// The readings into the file on the Yanco printer: the X reading ("2F") and the fiscal memory
// ("2D0"), whose lines come one a frame. The frames are gathered in Retorno.txt as they come, and
// the reading composed from them then takes their place there (yanco_reading_text.h); the fiscal
// memory also goes to LMFISCAL.TXT. Retorno.txt thus holds the composed reading, as it holds the
// reading a Quelmar printer streams, and DadosSintegra reads it from there.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_reading_text.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "platform/platform.h"
#include "protocol/presence.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::string_view kXReadingToLine = "2F";
constexpr std::string_view kFiscalMemoryToLine = "2D0";
constexpr std::string_view kCommunication = "Erro de comunicacao";
constexpr std::string_view kAnswerFileFailure = "Erro ao escrever no arquivo retorno.txt";
const std::string kFiscalMemoryFile = ".\\LMFISCAL.TXT";
constexpr int kAck = 6;

// A "2D" frame carries a line ended by LF; a refusal carries its status number alone, which is
// then the reply's status as for any other command.
bool refusedLine() {
    core::PrinterState& s = state();
    const std::string& frame = s.replyBuffer;
    if (frame.find('\n', kReplyStatusAt) != std::string::npos) return false;
    const std::string status = replyAt(kReplyStatusAt, 2);
    s.st1 = std::atoi(status.c_str());
    s.st2 = 1;
    s.yancoReply = {s.ack, s.st1, s.st2};
    if (s.statusInReturnCode) s.lastReturnCode = -27;
    return true;
}

// Sends the reading's command and gathers its frames in Retorno.txt, which holds them alone.
// Nothing when the whole answer came; otherwise the call's result, its line logged. A reading
// the printer refuses leaves no file.
std::optional<int> gather(const FormCall& form, const std::string& command, bool statusInFrames) {
    core::PrinterState& s = state();
    platform::removeFile(s.answerFilePath);
    int failure = 0;
    if (!send(form, {command, statusInFrames, 0}, failure, kCommunication)) return failure;
    for (bool last = false; !last;) {
        const int read = appendYancoReplyToAnswerFile(form.road, statusInFrames, last);
        if (read == 0) return form.call.fail(0, kCommunication);
        if (read == -8) return form.call.fail(-8, kAnswerFileFailure);
        const bool refused = statusInFrames ? s.st1 != 0 : refusedLine();
        if (s.ack != kAck || refused) {
            platform::removeFile(s.answerFilePath);
            return form.call.finish(s.lastReturnCode);
        }
    }
    return std::nullopt;
}

// The gathered lines composed into the reading, in Retorno.txt and, when named, a file of its own.
int compose(const FormCall& form, std::string (*composer)(const std::vector<std::string>&),
            const std::string* ownFile) {
    const std::string& answerFile = state().answerFilePath;
    const auto gathered = platform::readWholeFile(answerFile);
    if (!gathered) return form.call.fail(-8, kAnswerFileFailure);
    const std::string text = composer(readingLines(*gathered));
    if (ownFile && !platform::replaceFile(*ownFile, text))
        return form.call.fail(-8, "Erro ao escrever no arquivo LMFISCAL.TXT");
    if (!platform::replaceFile(answerFile, text)) return form.call.fail(-8, kAnswerFileFailure);
    return form.call.finish(state().lastReturnCode);
}

// The fiscal memory for twenty-one characters of range (as "28" takes them), once the printer
// is known to be on.
int fiscalMemoryToFile(const FormCall& form, const std::string& range) {
    if (core::nested([&] { return protocol::verifyPrinterOn(form.road); }) == -6)
        return form.call.communicationFailure();
    // "2D" frames carry no status: their line starts where it would be.
    if (auto ended = gather(form, std::string(kFiscalMemoryToLine) + range, false)) return *ended;
    return compose(form, composeFiscalMemory, &kFiscalMemoryFile);
}

}  // namespace

int readingXToFileForm(const FormCall& form) {
    if (auto ended = gather(form, std::string(kXReadingToLine), true)) return *ended;
    return compose(form, composeXReading, nullptr);
}

int fiscalMemoryToFileByDateForm(const FormCall& form) {
    return fiscalMemoryToFile(form, form.parameter(0) + form.parameter(1) + "000000000");
}

// Reduction numbers travel in four digits each, as for the printed reading.
int fiscalMemoryToFileByReductionForm(const FormCall& form) {
    char range[32];
    std::snprintf(range, sizeof range, "000000000000%04d%04d1",
                  std::atoi(form.parameter(0).c_str()) % 10000,
                  std::atoi(form.parameter(1).c_str()) % 10000);
    return fiscalMemoryToFile(form, range);
}

}  // namespace quelfi::yanco
