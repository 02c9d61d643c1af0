// What the restaurant firmware tells: the open tables and the menu, printed or streamed back into
// Retorno.txt, one table's registrations streamed back, and the free table memory.
#include "core/printer_state.h"
#include "platform/platform.h"
#include "protocol/reply_reader.h"
#include "restaurant/operations.h"
#include "restaurant/restaurant.h"
#include "restaurant/restaurant_call.h"
#include "restaurant/restaurant_layouts.h"

namespace quelfi::restaurant {

namespace {

using core::state;

// Sends a command whose answer the printer streams up to ETX, and writes the answer to
// Retorno.txt, which holds this answer alone.
int streamToAnswerFile(const protocol::Call& call, const protocol::CommandSpec& spec) {
    const std::string& answerFile = state().answerFilePath;
    platform::removeFile(answerFile);
    int failure = 0;
    if (!sendOperation(call, spec, failure)) return failure;
    const int read = protocol::readStreamReply(call.road(), spec, answerFile);
    if (read == 0) return call.communicationFailure();
    if (read == -8) return call.fail(-8, "Erro ao escrever no arquivo retorno.txt");
    return call.finish(read);
}

}  // namespace

int openTablesReport(const Road& road, int type) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_RelatorioMesasAbertas"));
    if (type != layouts::kSummaryReport && type != layouts::kItemsReport)
        return call.fail(-2, "Parametro invalido para o tipo de relatorio");
    const std::string typeText = std::to_string(type);
    call.logParameter(typeText);
    return call.run(commandFor(Operation::OpenTablesReport, {typeText}));
}

int openTablesSerial(const Road& road) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_RelatorioMesasAbertasSerial"));
    return streamToAnswerFile(call, commandFor(Operation::OpenTablesSerial));
}

int printMenu(const Road& road) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_ImprimeCardapio"));
    return call.run(commandFor(Operation::PrintMenu));
}

int menuSerial(const Road& road) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_CardapioPelaSerial"));
    return streamToAnswerFile(call, commandFor(Operation::MenuSerial));
}

int registrationsSerial(const Road& road, const char* table) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_RegistroVendaSerial"));
    if (!isTable(table)) return call.fail(-2, "Parametro invalido para mesa");
    call.logParameter(table);
    return streamToAnswerFile(call, commandFor(Operation::RegistrationsSerial, {table}));
}

int freeMemory(const Road& road, char* free) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_VerificaMemoriaLivre"));
    int failure = 0;
    if (!sendOperation(call, commandFor(Operation::FreeMemory), failure)) return failure;
    core::copyToBuffer(free, layouts::kFreeMemoryDigits,
                       state().replyBuffer.substr(0, layouts::kFreeMemoryDigits));
    return call.finish(state().lastReturnCode);
}

}  // namespace quelfi::restaurant
