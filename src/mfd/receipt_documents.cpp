// The journal printer's non-fiscal receipt: its items on the non-fiscal totalizers, their
// cancellation, surcharge or discount and its cancellation, the receipt's end, and its subtotal.
#include <cstdlib>

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_closing.h"
#include "mfd/document_call.h"
#include "mfd/documents.h"
#include "mfd/item_adjustment.h"
#include "protocol/frame.h"

namespace quelfi::mfd {

using core::argText;
using core::state;
using protocol::exportRow;

namespace {

constexpr char kReceiptItem = 'N';
constexpr char kCancelReceiptItem = 't';
constexpr char kReceiptItemAdjustment = 'u';
constexpr char kCancelReceiptItemAdjustment = 'v';
constexpr std::size_t kSubtotalWidth = 14;

// Item numbers of the receipt's item exports: one to three characters.
bool itemNumber(const std::string& item) {
    return !item.empty() && item.size() <= 3;
}

}  // namespace

int registerReceiptItem(const Road& road, const char* index, const char* amount) {
    const DocumentCall call(road, exportRow("Quelmar_FI_EfetuaRecebimentoNaoFiscalMFD"));
    const std::string indexText = argText(index);
    const int totalizer = std::atoi(indexText.c_str());
    if (indexText.size() > 2 || totalizer < 1 || totalizer > 50)
        return call.refuse("Retorno: -2 - Parametro invalido para o indice do totalizador");
    const std::string digits = fiscal::keepDigits(argText(amount));
    if (digits.empty() || digits.size() > 14)
        return call.refuse("Retorno: -2 - Parametro invalido para o valor do recebimento");
    call.logRecord(joined({index, amount}));
    if (auto forwarded = call.handOverJoined({indexText, argText(amount)})) return *forwarded;
    return call.run(documentCommand(kReceiptItem,
                                    fiscal::zeroFill(indexText, 2) + fiscal::zeroFill(digits, 14)));
}

int cancelReceiptItem(const Road& road, const char* item) {
    const DocumentCall call(road, exportRow("Quelmar_FI_CancelaItemNaoFiscalMFD"), Lines::Named);
    if (!item || std::string_view(item).size() > 3) {
        return call.refuse(
            "Retorno Quelmar_FI_CancelaItemNaoFiscalMFD: -2 - Parametro invalido para numero do "
            "item ",
            item);
    }
    call.logRecord(item);
    if (auto forwarded = call.handOverJoined({item})) return *forwarded;
    return call.run(documentCommand(kCancelReceiptItem, fiscal::zeroFill(item, 4)));
}

int adjustReceiptItem(const Road& road, const char* item, const char* flag, const char* type,
                      const char* value) {
    const DocumentCall call(road, exportRow("Quelmar_FI_AcrescimoItemNaoFiscalMFD"), Lines::Named);
    const std::string itemText = argText(item);
    if (!itemNumber(itemText))
        return call.refuse("Retorno : -2 - Parametro invalido para numero do item ", item);
    const std::optional<char> letter = adjustmentFlag(flag, "AD");
    if (!letter) {
        return call.refuse(
            "Retorno Quelmar_FI_AcrescimoItemNaoFiscalMFD: -2 Parametro invalido para o flag de "
            "acrescimo/desconto");
    }
    return sendItemAdjustment(call, kReceiptItemAdjustment, itemText, *letter, type, value,
                              {item, flag, type, value});
}

int cancelReceiptItemAdjustment(const Road& road, const char* item, const char* flag) {
    const DocumentCall call(road, exportRow("Quelmar_FI_CancelaAcrescimoNaoFiscalMFD"),
                            Lines::Named);
    const std::string itemText = argText(item);
    if (!itemNumber(itemText))
        return call.refuse("Retorno : -2 - Parametro invalido para numero do item ", item);
    const std::optional<char> letter = adjustmentFlag(flag, "AD");
    if (!letter)
        return call.refuse("Retorno : -2 Parametro invalido para o flag de acrescimo/desconto");
    call.logRecord(joined({item, flag}));
    if (auto forwarded = call.handOverJoined({itemText, argText(flag)})) return *forwarded;
    return call.run(
        documentCommand(kCancelReceiptItemAdjustment, *letter + fiscal::zeroFill(itemText, 3)));
}

int closeReceipt(const Road& road, const char* message) {
    const DocumentCall call(road, exportRow("Quelmar_FI_FechaRecebimentoNaoFiscalMFD"));
    call.logRecord(argText(message));
    if (auto forwarded = call.handOverJoined({argText(message)})) return *forwarded;
    // The coupon's end of closing ends the receipt too.
    return core::nested([&] { return fiscal::finishClosing(road, message); });
}

int receiptSubtotal(const Road& road, char* subtotal) {
    const DocumentCall call(road, exportRow("Quelmar_FI_SubTotalComprovanteNaoFiscalMFD"));
    if (auto forwarded = call.handOverJoined({})) return *forwarded;
    // Seven BCD bytes: 14 digits.
    const protocol::CommandSpec spec = protocol::query(protocol::prefixed("#B"), 1 + 7 + 2, 1);
    int failure = 0;
    if (!call.sendPlain(spec, failure)) return failure;
    const std::string answer = state().replyBuffer.substr(0, kSubtotalWidth);
    if (state().answerToFile) {
        if (const int written = call.writeAnswer(answer); written != 1) return written;
    } else {
        core::copyToBuffer(subtotal, kSubtotalWidth, answer);
    }
    call.logAnswer(answer);
    return call.end(state().lastReturnCode);
}

}  // namespace quelfi::mfd
