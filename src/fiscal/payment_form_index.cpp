#include "fiscal/payment_form_index.h"

#include "core/call_log.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"

namespace quelfi::fiscal {

namespace {

constexpr char kPaymentFormIndex = 'G';

}  // namespace

int paymentFormIndex(const protocol::Road& road, const std::string& description,
                     std::string& index) {
    core::logLine("Quelmar_FI_ObtemIndiceFormaPagamento", 0, " ");
    core::logLine("Par\xE2metro: ", 0, description);
    const std::string form = protocol::inPrinterCodePage(description);
    const protocol::CommandSpec spec =
        protocol::query(protocol::prefixed(kPaymentFormIndex + blankFill(form, 16)), 1 + 2 + 2, 2);
    if (protocol::sendCommand(road, spec) != 1) {
        core::logText("Retorno: 0 - Erro de comunicacao");
        return 0;
    }
    const std::string& reply = core::state().replyBuffer;
    index = reply.substr(0, 2);
    if (index == "\xFF\xFF") {
        core::logText(
            "Retorno: -24 - Forma de pagamento n\xE3o programada e sem espa\xE7o para programa-la");
        return -24;
    }
    core::logText("Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok");
    return 1;
}

}  // namespace quelfi::fiscal
