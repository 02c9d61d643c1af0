#include "mfd/journal_cheque.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/answer_files.h"
#include "core/call_log.h"
#include "core/config.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/cheque_fields.h"
#include "fiscal/record_answers.h"
#include "mfd/document_call.h"
#include "platform/platform.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"

namespace quelfi::mfd {

using core::state;

namespace {

constexpr char kReadCheque = 'L';
constexpr char kPrintCheque = '^';
constexpr int kReadReplyLength = 42;
constexpr std::size_t kLineAt = 2;
constexpr std::size_t kLineWidth = 36;
// The reading's second character: the printer gave up waiting for a cheque.
constexpr int kReadTimedOut = 32;

constexpr std::size_t kBankWidth = 3;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kPayeeWidth = 45;
constexpr std::size_t kCityWidth = 27;
constexpr std::size_t kMessageWidth = 120;
constexpr int kMostLines = 35;
constexpr std::size_t kSlipValues = 8;  // positions on the slip; the other five are sizes

const char* const kDefaults = "Opcional";
const char* const kCopy = "Copia";

std::optional<int> smallNumber(const std::string& text, int most) {
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = std::atoi(text.c_str());
    if (value > most) return std::nullopt;
    return value;
}

// The layout in the journal printers' units: slip positions from the matrix printers' columns,
// and on type 2 the finer head's steps for positions and sizes alike.
std::string layoutBytes(const fiscal::ChequeLayout& layout, int printerType) {
    std::string out;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        double value = layout[i];
        if (i < kSlipValues) {
            value = value < 8 ? 1 : std::min(value - 7, 64.0);
            if (printerType == 2) value = std::min(static_cast<int>(value * 1.44 + 0.5), 85);
        } else if (printerType == 2) {
            const double steps =
                (value < 8 ? value + 1.334 : value + 1.3) * 3.3 * 0.22727272727272727;
            value = std::min(static_cast<int>(steps + 0.5), 13);
        }
        out += static_cast<char>(static_cast<int>(value));
    }
    return out;
}

std::string today() {
    const platform::CalendarDate d = state().platform->localDate();
    return fiscal::chequeDate(d.day, d.month, d.year);
}

}  // namespace

int readCheque(const Road& road, char* line) {
    const DocumentCall call(road, protocol::exportRow("Quelmar_FI_LeituraChequeMFD"));
    if (auto forwarded = call.handOver()) return *forwarded;
    protocol::CommandSpec spec =
        protocol::query(protocol::prefixed(std::string(1, kReadCheque)), kReadReplyLength, 2);
    spec.tableCommand = kReadCheque;
    const int sent = protocol::sendCommand(road, spec);
    core::PrinterState& s = state();
    if (sent != 1) {
        if (sent == 0 && s.replyBuffer.size() > 1 && (s.replyBuffer[1] & kReadTimedOut))
            return call.failLine(-9, "Retorno: -9 - Leitura do cheque interrompida por timeOut");
        return call.failLine(sent, sent == 0 ? "Retorno: 0 - Erro de comunicacao"
                                             : "Retorno: " + std::to_string(sent));
    }
    const std::string magnetic = fiscal::slice(s.replyBuffer, kLineAt, kLineWidth);
    if (magnetic.find('?') != std::string::npos) {
        s.st1 = s.st2 = s.st3 = 0;
        return call.failLine(-10, "Retorno: -10");
    }
    if (s.answerToFile) {
        if (core::writeAnswerText(magnetic) != 1)
            return call.failLine(-8, "Retorno: -8 - Erro na abertura do arquivo retorno.txt");
    } else {
        core::copyToBuffer(line, kLineWidth, magnetic);
    }
    core::logTwo("Retorno impressora: ", magnetic);
    core::logLine("Retorno : ", s.lastReturnCode, "");
    return s.lastReturnCode;
}

int printCheque(const Road& road, const JournalChequeArguments& a) {
    const DocumentCall call(road, protocol::exportRow("Quelmar_FI_ImprimeChequeMFD"));
    const std::string invalid = "Retorno: -2 - Parametro invalido para ";
    const std::string amountText = core::argText(a.amount);
    if (amountText.empty()) return call.failLine(-2, invalid + "o valor");
    const std::string bank = core::argText(a.bank);
    if (bank.size() != kBankWidth) return call.failLine(-2, invalid + "o numero do banco");
    const auto back = smallNumber(core::argText(a.backPrinting), 1);
    if (!back) return call.failLine(-2, invalid + "impressao no verso");
    const auto lines = smallNumber(core::argText(a.lines), kMostLines);
    if (!lines) return call.failLine(-2, invalid + "o numero de linhas");
    const std::string digits = fiscal::keepDigits(amountText);
    if (digits.size() > kAmountWidth) return call.failLine(-2, invalid + "o valor");

    const std::string layoutEntry = core::readIniText("Formato", bank);
    if (layoutEntry.empty())
        return call.failLine(-7, "Retorno: -7 - Banco nao encontrado no arquivo ini");
    std::string payee = core::argText(a.payee);
    if (payee.empty()) {
        core::logText("Lendo favorecido no arquivo ini");
        payee = core::readIniText(kDefaults, "Favorecido");
    }
    if (payee.size() > kPayeeWidth) return call.failLine(-2, invalid + "o favorecido");
    std::string city = core::argText(a.city);
    if (city.empty()) {
        core::logText("Lendo a cidade no arquivo ini");
        city = core::readIniText(kDefaults, "Cidade");
    }
    if (city.empty() || city.size() > kCityWidth) return call.failLine(-2, invalid + "a cidade");
    std::string date = today();
    if (const std::string given = core::argText(a.date); !given.empty()) {
        const std::string dateDigits = fiscal::keepDigits(given);
        if (given.size() > 19 || (dateDigits.size() != 6 && dateDigits.size() != 8) ||
            !fiscal::isValidDate(fiscal::chequeDate(dateDigits)))
            return call.failLine(-2, invalid + "data");
        date = fiscal::chequeDate(dateDigits);
    }
    const std::string message = core::argText(a.message);
    if (message.size() > kMessageWidth) return call.failLine(-2, invalid + "a mensagem");

    const std::string backDigit = std::to_string(*back);
    const std::string lineText = std::to_string(*lines);
    const auto keepCopy = [&] {
        const std::pair<const char*, const std::string*> keys[] = {{"Banco", &bank},
                                                                   {"Valor", &digits},
                                                                   {"Favorecido", &payee},
                                                                   {"Cidade", &city},
                                                                   {"Data", &date},
                                                                   {"Mensagem", &message},
                                                                   {"ImpressaoVerso", &backDigit},
                                                                   {"Linhas", &lineText}};
        for (const auto& [key, value] : keys) core::writeIniValue(kCopy, key, *value);
    };
    if (auto forwarded = call.handOverJoined({bank, amountText, core::argText(a.payee),
                                              core::argText(a.city), core::argText(a.date), message,
                                              core::argText(a.backPrinting), lineText})) {
        keepCopy();
        return *forwarded;
    }

    std::string amount = digits;
    amount.insert(0, kAmountWidth - amount.size(), '0');
    std::string payeeField = protocol::inPrinterCodePage(payee);
    payeeField.resize(kPayeeWidth, ' ');
    std::string cityField = protocol::inPrinterCodePage(city);
    cityField.insert(0, kCityWidth - cityField.size(), ' ');
    // The back-printing setting is one digit whatever the caller typed ("00" is 0).
    std::string fields = backDigit + static_cast<char>(*lines) + amount + payeeField + cityField +
                         date + layoutBytes(fiscal::chequeLayout(layoutEntry), state().printerType);
    if (message.empty()) {
        fields += '\0';
    } else {
        std::string text = protocol::inPrinterCodePage(message);
        if (state().firmwareVersion == "0100") fiscal::blankPercentSigns(text, text.size());
        fields += text;
    }
    protocol::CommandSpec spec = documentCommand(kPrintCheque, fields);
    spec.rawLength = static_cast<int>(spec.command.size());
    int failure = 0;
    if (!call.sendPlain(spec, failure)) return failure;
    if (state().ack == 6) keepCopy();
    return call.end(state().lastReturnCode);
}

int printChequeCopy(const Road& road, const fiscal::ChequeCopy& copy) {
    return printCheque(road, {copy.bank.c_str(), copy.amount.c_str(), copy.payee.c_str(),
                              copy.city.c_str(), copy.date.c_str(), copy.message.c_str(),
                              copy.backPrinting.c_str(), copy.lines.c_str()});
}

}  // namespace quelfi::mfd
