// The cheque: its arguments checked, the payee and city taken from the INI's defaults when not
// given, the bank's layout read from the "Formato" section, and the last cheque kept in "Copia"
// so that it can be printed again.
#include <optional>
#include <string>

#include "adapters/yanco/yanco_cheque.h"
#include "adapters/yanco/yanco_forms.h"
#include "core/call_log.h"
#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/cheque_documents.h"
#include "fiscal/cheque_fields.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kPrintCheque = '9';
constexpr std::string_view kCancelCheque = ">1";
constexpr std::size_t kBankWidth = 3;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kPayeeWidth = 45;
constexpr std::size_t kCityWidth = 27;
constexpr std::size_t kMessageWidth = 120;

const char* const kDefaults = "Opcional";
const char* const kCopy = "Copia";

// The date's digits as DDMMAAAA, or nothing when they are no date.
std::optional<std::string> givenDate(const std::string& digits) {
    if (digits.size() != 6 && digits.size() != 8) return std::nullopt;
    const std::string date = chequeDate(digits);
    if (!isValidDate(date)) return std::nullopt;
    return date;
}

std::string today() {
    const platform::CalendarDate d = state().platform->localDate();
    return chequeDate(d.day, d.month, d.year);
}

void keepCopy(const std::string& bank, const std::string& amount, const std::string& payee,
              const std::string& city, const std::string& date, const std::string& message) {
    core::writeIniValue(kCopy, "Banco", bank);
    core::writeIniValue(kCopy, "Valor", amount);
    core::writeIniValue(kCopy, "Favorecido", payee);
    core::writeIniValue(kCopy, "Cidade", city);
    core::writeIniValue(kCopy, "Data", date);
    core::writeIniValue(kCopy, "Mensagem", message);
}

}  // namespace

int printCheque(const Road& road, const char* bank, const char* amount, const char* payee,
                const char* city, const char* date, const char* message) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_ImprimeCheque"));
    const std::string invalid = "Retorno Quelmar_FI_ImprimeCheque: -2 - Parametro invalido para ";
    const std::string amountText = core::argText(amount);
    if (amountText.empty()) return call.failLine(-2, invalid + "o valor");
    const std::string bankText = core::argText(bank);
    if (bankText.size() != kBankWidth) return call.failLine(-2, invalid + "o numero do banco");
    const std::string digits = keepDigits(amountText);
    if (digits.size() > kAmountWidth) return call.failLine(-2, invalid + "o valor");

    std::string layoutEntry;
    if (road.yancoPrinter()) {
        // The Yanco printer's layouts are kept apart; a bank without one is refused silently.
        layoutEntry = core::readIniText("FormatoYanco", bankText);
        if (layoutEntry.empty()) return -7;
    } else {
        layoutEntry = core::readIniText("Formato", bankText);
        if (layoutEntry.empty())
            return call.failLine(-7,
                                 "Retorno Quelmar_FI_ImprimeCheque: -7 - Banco nao encontrado no "
                                 "arquivo ini");
    }

    std::string payeeText = core::argText(payee);
    if (payeeText.empty()) {
        core::logText("Lendo favorecido no arquivo ini");
        payeeText = core::readIniText(kDefaults, "Favorecido");
    }
    if (payeeText.size() > kPayeeWidth) return call.failLine(-2, invalid + "o favorecido");
    std::string cityText = core::argText(city);
    if (cityText.empty()) {
        core::logText("Lendo a cidade no arquivo ini");
        cityText = core::readIniText(kDefaults, "Cidade");
    }
    if (cityText.empty() || cityText.size() > kCityWidth)
        return call.failLine(-2, invalid + "a cidade");
    const std::string dateText = core::argText(date);
    std::string chequeDay = today();
    if (!dateText.empty()) {
        const auto given = givenDate(keepDigits(dateText));
        if (!given) return call.failLine(-2, invalid + "data");
        chequeDay = *given;
    }
    const std::string messageText = core::argText(message);
    if (messageText.size() > kMessageWidth) return call.failLine(-2, invalid + "a mensagem");

    call.logRecord(bankText + "|" + digits + "|");
    if (auto forwarded = call.handOver(
            {bankText, digits, core::argText(payee), core::argText(city), dateText, messageText}))
        return *forwarded;
    if (auto done = call.yancoForm([&] {
            const auto command =
                yanco::chequeCommand({layoutEntry, digits, payeeText, cityText, chequeDay});
            if (!command) return call.failLine(-2, invalid + "o valor");
            int failure = 0;
            if (!yanco::send(road, call, {*command, true, 0}, failure)) return failure;
            keepCopy(bankText, digits, payeeText, cityText, chequeDay, messageText);
            return call.finish(state().lastReturnCode);
        }))
        return *done;

    ChequeText cheque;
    cheque.amount = digits;
    cheque.payee = protocol::inPrinterCodePage(payeeText);
    cheque.city = protocol::inPrinterCodePage(cityText);
    cheque.date = chequeDay;
    cheque.layoutBytes = chequeLayoutBytes(chequeLayout(layoutEntry), state().printerType);
    cheque.message = protocol::inPrinterCodePage(messageText);
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(kPrintCheque + chequeFields(cheque));
    // Layout bytes may be 0: the command goes with the length it was built with.
    spec.explicitLength = static_cast<int>(spec.command.size());
    int failure = 0;
    if (!call.send(spec, failure)) return failure;
    keepCopy(bankText, digits, payeeText, cityText, chequeDay, messageText);
    return call.finish(state().lastReturnCode);
}

int printChequeCopy(const Road& road, JournalCheque journalCheque) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_ImprimeCopiaCheque"),
                              core::Header::Always);
    if (auto forwarded = call.handOver()) return *forwarded;
    ChequeCopy copy;
    const std::pair<const char*, std::string*> keys[] = {{"Banco", &copy.bank},
                                                         {"Valor", &copy.amount},
                                                         {"Favorecido", &copy.payee},
                                                         {"Cidade", &copy.city},
                                                         {"Data", &copy.date},
                                                         {"Mensagem", &copy.message},
                                                         {"ImpressaoVerso", &copy.backPrinting},
                                                         {"Linhas", &copy.lines}};
    for (const auto& [key, value] : keys) *value = core::readIniText(kCopy, key);
    const int printerType = state().printerType;
    const int result = core::nested([&] {
        if (printerType == 1 || printerType == 2) return journalCheque(road, copy);
        return printCheque(road, copy.bank.c_str(), copy.amount.c_str(), copy.payee.c_str(),
                           copy.city.c_str(), copy.date.c_str(), copy.message.c_str());
    });
    if (result != 1 && result != -27) return call.finish(result);
    return call.finish(state().lastReturnCode);
}

int setChequeDefaults(const Road& road, const char* city, const char* payee) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_IncluiCidadeFavorecido"),
                              core::Header::Always);
    const std::string invalid =
        "Retorno Quelmar_FI_IncluiCidadeFavorecido: -2 - Parametro invalido para ";
    const std::string cityText = core::argText(city);
    if (cityText.empty() || cityText.size() > kCityWidth)
        return call.failLine(-2, invalid + "cidade");
    const std::string payeeText = core::argText(payee);
    if (payeeText.empty() || payeeText.size() > kPayeeWidth)
        return call.failLine(-2, invalid + "favorecido");
    call.logRecord(cityText + "|" + payeeText);
    if (auto forwarded = call.handOver({cityText, payeeText})) return *forwarded;
    if (!core::writeIniValue(kDefaults, "Favorecido", payeeText))
        return call.fail(-1, "Erro ao gravar o favorecido no arquivo ini");
    if (!core::writeIniValue(kDefaults, "Cidade", cityText))
        return call.fail(-1, "Erro ao gravar a cidade no arquivo ini");
    return call.finish(1);
}

int cancelChequePrint(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_CancelaImpressaoCheque"));
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (auto forwarded = call.handOver()) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(kCancelCheque));
    return call.run(spec);
}

}  // namespace quelfi::fiscal
