#include "mfd/journal_queries.h"

#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "core/answer_files.h"
#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "fiscal/record_answers.h"
#include "mfd/document_call.h"
#include "platform/platform.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::mfd {

using core::state;
using fiscal::QueryMember;
using fiscal::slice;
using protocol::Answer;

namespace {

constexpr const char* kFileBreak = ",\r\n";

// List layouts: how many records, and each record's place in the decoded reply.
constexpr std::size_t kForms = 20;
constexpr std::size_t kFormName = 16;
constexpr std::size_t kAmount = 14;
constexpr std::size_t kFormStride = kFormName + 2 * kAmount + 1 + 1;  // with its comma
constexpr std::size_t kTotalizers = 30;
constexpr std::size_t kTotalizerName = 19;
constexpr std::size_t kTotalizerStride = kTotalizerName + kAmount + 1;
constexpr std::size_t kReports = 30;
constexpr std::size_t kReportRecord = 4 + 17;
constexpr std::size_t kCounters = 30;
constexpr std::size_t kCounterDigits = 4;

// The record of the last reduction ("X") and the partial totalizers ("W"): field widths.
constexpr std::size_t kReductionWidths[] = {2,  4,  4,  6,   6,  6,  6,  6,  4,  4,  120, 120, 4,
                                            4,  4,  18, 224, 14, 14, 14, 14, 14, 14, 14,  14,  14,
                                            14, 14, 14, 392, 14, 14, 14, 14, 14, 64, 6};
constexpr std::size_t kPartialWidths[] = {224, 14, 14, 14, 14,  14, 14, 14, 14,
                                          14,  14, 14, 14, 420, 14, 14, 14, 18};

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
    return out;
}

// Buffer text joined by ",", file text by "," and CR LF.
Answer onLines(const std::vector<std::string>& parts) {
    return {joined(parts, ","), joined(parts, kFileBreak)};
}

template <std::size_t N>
std::vector<std::string> cut(const std::string& digits, const std::size_t (&widths)[N]) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t width : widths) {
        std::string field = slice(digits, at, width);
        field.resize(width, '0');
        out.push_back(std::move(field));
        at += width;
    }
    return out;
}

std::vector<std::string> records(const std::string& text, std::size_t count, std::size_t width) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < count; ++i) out.push_back(slice(text, i * width, width));
    return out;
}

// Payment forms: descriptions at 0, first amounts at 320, second amounts at 600, flags at 880.
Answer paymentForms(const std::string& reply) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < kForms; ++i)
        out.push_back(slice(reply, i * kFormName, kFormName) +
                      slice(reply, 320 + i * kAmount, kAmount) +
                      slice(reply, 600 + i * kAmount, kAmount) + slice(reply, 880 + i, 1));
    return onLines(out);
}

// Non-fiscal totalizers: names at 0, amounts at 570.
Answer receipts(const std::string& reply) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < kTotalizers; ++i)
        out.push_back(slice(reply, i * kTotalizerName, kTotalizerName) +
                      slice(reply, 570 + i * kAmount, kAmount));
    return onLines(out);
}

Answer shape(const QueryMember& row, const std::string& reply) {
    switch (row.id) {
        case Query::ContadoresTotalizadoresNaoFiscaisMFD:
            return {joined(records(reply, kCounters, kCounterDigits), ","), std::nullopt};
        case Query::VerificaTotalizadoresNaoFiscaisMFD:
            return onLines(records(reply, kTotalizers, kTotalizerName));
        case Query::VerificaFormasPagamentoMFD:
            return paymentForms(reply);
        case Query::VerificaRecebimentoNaoFiscalMFD:
            return receipts(reply);
        case Query::VerificaRelatorioGerencialMFD:
            return onLines(records(reply, kReports, kReportRecord));
        case Query::VerificaTotalizadoresParciaisMFD:
            return onLines(cut(reply, kPartialWidths));
        case Query::DadosUltimaReducaoMFD:
            return onLines(cut(reply, kReductionWidths));
        case Query::InicioFimCOOsMFD:
        case Query::InicioFimGTsMFD:
            return {fiscal::head(reply, row.width), std::nullopt};
        default:
            return {fiscal::head(reply, row.width), std::nullopt};
    }
}

bool isList(Query id) {
    switch (id) {
        case Query::VerificaTotalizadoresNaoFiscaisMFD:
        case Query::VerificaFormasPagamentoMFD:
        case Query::VerificaRecebimentoNaoFiscalMFD:
        case Query::VerificaRelatorioGerencialMFD:
        case Query::VerificaTotalizadoresParciaisMFD:
        case Query::DadosUltimaReducaoMFD:
            return true;
        default:
            return false;
    }
}

// The older export a printer of type 0 answers with the same text.
std::optional<Query> sameTextFallback(Query id) {
    switch (id) {
        case Query::NumeroSerieMFD:
            return Query::NumeroSerie;
        case Query::VersaoFirmwareMFD:
            return Query::VersaoFirmware;
        case Query::ContadoresTotalizadoresNaoFiscaisMFD:
            return Query::ContadoresTotalizadoresNaoFiscais;
        case Query::VerificaTotalizadoresNaoFiscaisMFD:
            return Query::VerificaTotalizadoresNaoFiscais;
        default:
            return std::nullopt;
    }
}

// The older export whose answer a printer of type 0 has rebuilt into the journal layout.
std::optional<Query> rebuiltFallback(Query id) {
    switch (id) {
        case Query::VerificaFormasPagamentoMFD:
            return Query::VerificaFormasPagamento;
        case Query::VerificaRecebimentoNaoFiscalMFD:
            return Query::VerificaRecebimentoNaoFiscal;
        case Query::VerificaTotalizadoresParciaisMFD:
            return Query::VerificaTotalizadoresParciais;
        case Query::DadosUltimaReducaoMFD:
            return Query::DadosUltimaReducao;
        default:
            return std::nullopt;
    }
}

std::string zeros(std::size_t width) {
    return std::string(width, '0');
}

// The older payment-form records (57 characters and ",", CR, LF): the last 14 digits of each
// value; the first form is the one without a bound receipt.
Answer formsFromOlder(const std::string& older) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < kForms; ++i) {
        const std::size_t at = i * (fiscal::kPaymentFormRecord + 3);
        out.push_back(slice(older, at, kFormName) + slice(older, at + 22, kAmount) +
                      slice(older, at + 42, kAmount) + (i == 0 ? "0" : "1"));
    }
    return onLines(out);
}

// The older receipt records (count 4, "00" and 18 digits, name 19; 43 characters and ","): the
// value's last 14 digits and the name.
Answer receiptsFromOlder(const std::string& older) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < kTotalizers; ++i) {
        const std::size_t at = i * (fiscal::kNonFiscalRecord + 1);
        out.push_back(slice(older, at + 24, kTotalizerName) + slice(older, at + 10, kAmount));
    }
    return onLines(out);
}

// The older reduction record's fields, placed where the journal record keeps the same data;
// what the older printer does not report is zeros.
Answer reductionFromOlder(const std::string& older) {
    const std::vector<std::string> f =
        fiscal::cutFields(older, {2,   1, 18, 1, 14, 1, 14, 1, 64, 1, 266, 1, 14, 1, 14, 1,
                                  126, 1, 36, 1, 6,  1, 6,  1, 2,  1, 6,   1, 14, 1, 14});
    const auto field = [&](std::size_t n) { return n * 2 < f.size() ? f[n * 2] : std::string(); };
    std::vector<std::string> out;
    for (std::size_t width : kReductionWidths) out.push_back(zeros(width));
    const auto put = [&](std::size_t at, const std::string& text) {
        std::string value = text;
        value.resize(out[at].size(), '0');
        out[at] = value;
    };
    put(0, field(0));
    put(3, field(10));
    put(15, field(1));
    put(16, slice(field(5), 0, 224));
    put(17, slice(field(5), 224, 14));
    put(18, slice(field(5), 238, 14));
    put(19, slice(field(5), 252, 14));
    put(23, field(3));
    put(25, field(14));
    put(27, field(2));
    put(36, field(13));
    return onLines(out);
}

// The older partial totalizers (224, 14, 14, 14, 126, 14, 14, 18 with commas): the rates, the
// three ICMS totalizers and the grand total.
Answer partialsFromOlder(const std::string& older) {
    const std::vector<std::string> f =
        fiscal::cutFields(older, {224, 1, 14, 1, 14, 1, 14, 1, 126, 1, 14, 1, 14, 1, 18});
    std::vector<std::string> out;
    for (std::size_t width : kPartialWidths) out.push_back(zeros(width));
    for (std::size_t i : {0u, 1u, 2u, 3u}) out[i] = f[i * 2];
    out[17] = f[14];
    return onLines(out);
}

Answer rebuilt(Query id, const std::string& older) {
    switch (id) {
        case Query::VerificaFormasPagamentoMFD:
            return formsFromOlder(older);
        case Query::VerificaRecebimentoNaoFiscalMFD:
            return receiptsFromOlder(older);
        case Query::VerificaTotalizadoresParciaisMFD:
            return partialsFromOlder(older);
        default:
            return reductionFromOlder(older);
    }
}

bool goesOn(int result) {
    return result == 1 || result == -27;
}

// Retorno.txt replaced by the answer, with the lines of these queries on failure. 1 or -8.
int replaceAnswerFile(const DocumentCall& call, const std::string& text) {
    const core::PrinterState& s = state();
    platform::removeFile(s.answerFilePath);
    if (core::openAnswerFile(s.answerFilePath) != 1)
        return call.failLine(-8, "Retorno: -8 - Erro na abertura do arquivo retorno.txt");
    const int written = core::writeAnswerFile(text);
    core::closeAnswerFile();
    if (written != 1)
        return call.failLine(-8, "Retorno: -8 - Erro ao escrever no arquivo retorno.txt");
    return 1;
}

class JournalQuery {
  public:
    JournalQuery(const Road& road, Query id, bool quietly = false)
        : row_(fiscal::member(id)),
          call_(road, fiscal::exportRowOf(row_)),
          toFile_(state().answerToFile && !quietly) {}

    const DocumentCall& call() const { return call_; }
    const QueryMember& row() const { return row_; }
    bool toFile() const { return toFile_; }

    // The printer's answer decoded into the reply buffer; otherwise `failure` holds the result.
    bool ask(int& failure) const {
        protocol::CommandSpec spec = protocol::query(protocol::prefixed(std::string(row_.command)),
                                                     row_.replyLength, row_.dataFormat);
        spec.tableCommand = row_.tableCommand;
        spec.tableLayout = row_.tableCommand != 0 && row_.tableCommand != 'L';
        return call_.sendPlain(spec, failure);
    }

    // The answer to Retorno.txt or into the buffers, its line, and the reply's result.
    int deliver(const Answer& answer, char* buffer, char* second = nullptr) const {
        if (toFile_) {
            if (const int written = replaceAnswerFile(call_, answer.forFile()); written != 1)
                return written;
            core::logTwo("Retorno impressora: ",
                         (isList(row_.id) ? "\r\n" : "") + answer.forFile());
        } else {
            fill(answer.text, buffer, second);
            core::logTwo("Retorno impressora: ", answer.text);
        }
        return call_.end(state().lastReturnCode);
    }

    void fill(const std::string& text, char* buffer, char* second) const {
        if (row_.split == 0) return core::copyToBuffer(buffer, row_.width, text);
        core::copyToBuffer(buffer, row_.split, fiscal::head(text, row_.split));
        core::copyToBuffer(second, row_.width - row_.split, slice(text, row_.split, row_.width));
    }

  private:
    const QueryMember& row_;
    DocumentCall call_;
    bool toFile_;
};

int runQuery(const Road& road, Query id, char* answer, char* second, bool quietly) {
    const JournalQuery query(road, id, quietly);
    const DocumentCall& call = query.call();
    const bool pair = query.row().split != 0;
    if (pair && !query.toFile() && (!answer || !second))
        return call.failLine(
            -2, "Retorno " + call.name() + ": -2 - parametro passado \xE9 inv\xE1lido");
    if (auto forwarded = call.handOver()) return *forwarded;
    if (state().printerType == 0) {
        if (auto older = sameTextFallback(id))
            return core::nested(
                [&] { return fiscal::textQuery(road, *older, answer, {.quietly = quietly}); });
        if (id == Query::CNPJMFD || id == Query::InscricaoEstadualMFD)
            return core::nested([&] {
                return id == Query::CNPJMFD
                           ? fiscal::splitQuery(road, Query::CgcIe, answer, nullptr)
                           : fiscal::splitQuery(road, Query::CgcIe, nullptr, answer);
            });
        if (auto older = rebuiltFallback(id)) {
            std::string text;
            const int result = fiscal::readQuery(road, *older, text);
            if (!goesOn(result)) return call.end(result);
            return query.deliver(rebuilt(id, text), answer);
        }
    }
    int failure = 0;
    if (!query.ask(failure)) return failure;
    const Answer shaped = shape(query.row(), state().replyBuffer);
    if (pair && query.toFile()) {
        // The two answers go to the file whole, through the single-call writer.
        if (const int written = call.writeAnswer(shaped.text); written != 1) return written;
        core::logTwo("Retorno impressora: ", shaped.text);
        return call.end(state().lastReturnCode);
    }
    return query.deliver(shaped, answer, second);
}

// A list read for a look-up: nested, into `text`, never to Retorno.txt.
int readList(const Road& road, Query id, std::string& text) {
    std::vector<char> buffer(fiscal::member(id).width + 1, '\0');
    const int result =
        core::nested([&] { return runQuery(road, id, buffer.data(), nullptr, true); });
    text.assign(buffer.data());
    return result;
}

struct Lookup {
    std::string_view exportName;
    Query list;
    std::size_t records, stride, nameWidth;
    const char* refusal;
    int missing;
};

int lookUp(const Road& road, const Lookup& how, const char* name, char* value,
           int (*older)(const Road&, const char*, char*)) {
    const DocumentCall call(road, *protocol::findExportRow(how.exportName));
    const std::string given = core::argText(name);
    if (given.empty() || given.size() > how.nameWidth) return call.refuse(how.refusal, name);
    if (auto forwarded = call.handOverJoined({given})) return *forwarded;
    if (state().printerType == 0) return core::nested([&] { return older(road, name, value); });
    std::string list;
    const int result = readList(road, how.list, list);
    if (!goesOn(result)) return result;
    std::string padded = given;
    padded.resize(how.nameWidth, ' ');
    if (how.list == Query::VerificaFormasPagamentoMFD) protocol::toPrinterCodePage(padded);
    for (std::size_t i = 0; i < how.records; ++i) {
        const std::size_t at = i * how.stride;
        if (slice(list, at, how.nameWidth) != padded) continue;
        const std::string amount = slice(list, at + how.nameWidth, kAmount);
        if (state().answerToFile) {
            if (const int written = replaceAnswerFile(call, amount); written != 1) return written;
        } else {
            core::copyToBuffer(value, kAmount, amount);
        }
        core::logTwo("Retorno impressora: ", amount);
        return call.end(state().lastReturnCode);
    }
    return how.missing;
}

}  // namespace

int journalQuery(const Road& road, Query id, char* answer, char* second) {
    return runQuery(road, id, answer, second, false);
}

int journalFlag(const Road& road, Query id, short* value) {
    const JournalQuery query(road, id);
    const DocumentCall& call = query.call();
    if (!query.toFile() && !value)
        return call.failLine(
            -2, "Retorno " + call.name() + ": -2 - parametro passado \xE9 inv\xE1lido NULL");
    if (auto forwarded = call.handOver()) return *forwarded;
    int failure = 0;
    if (!query.ask(failure)) return failure;
    const std::string text = fiscal::head(state().replyBuffer, query.row().width);
    if (query.toFile()) {
        if (const int written = call.writeAnswer(text); written != 1) return written;
    } else if (id == Query::VerificaFlagCorteMFD) {
        *value = static_cast<short>(text != "0" ? 1 : 0);
    } else {
        *value = static_cast<short>(std::atoi(text.c_str()));
    }
    core::logTwo("Retorno impressora: ", text);
    return call.end(state().lastReturnCode);
}

int makeModelType(const Road& road, char* make, char* model, char* type) {
    const JournalQuery query(road, Query::MarcaModeloTipoImpressoraMFD);
    const DocumentCall& call = query.call();
    if (auto forwarded = call.handOver()) return *forwarded;
    int failure = 0;
    if (!query.ask(failure)) return failure;
    const std::string& reply = state().replyBuffer;
    const std::string parts[] = {slice(reply, 0, 15), slice(reply, 15, 20), slice(reply, 35, 7)};
    const std::string text = parts[0] + "," + parts[1] + "," + parts[2];
    if (query.toFile()) {
        if (const int written = replaceAnswerFile(call, text); written != 1) return written;
    } else {
        core::copyToBuffer(make, 15, parts[0]);
        core::copyToBuffer(model, 20, parts[1]);
        core::copyToBuffer(type, 7, parts[2]);
    }
    core::logTwo("Retorno impressora: ", text);
    return call.end(state().lastReturnCode);
}

int paymentFormValue(const Road& road, const char* name, char* value) {
    return lookUp(
        road,
        {"Quelmar_FI_ValorFormaPagamentoMFD", Query::VerificaFormasPagamentoMFD, kForms,
         kFormStride, kFormName, "Retorno: -2 - Parametro invalido para forma de pagto: ", -24},
        name, value, fiscal::paymentFormValue);
}

int nonFiscalTotalizerValue(const Road& road, const char* name, char* value) {
    return lookUp(road,
                  {"Quelmar_FI_ValorTotalizadorNaoFiscalMFD",
                   Query::VerificaRecebimentoNaoFiscalMFD, kTotalizers, kTotalizerStride,
                   kTotalizerName, "Retorno: -2 - Parametro invalido para o totalizador: ", -25},
                  name, value, fiscal::nonFiscalTotalizerValue);
}

int readJournalText(const Road& road, Query id, std::string& text) {
    return readList(road, id, text);
}

int readLastReductionRecord(const Road& road, std::string& record) {
    return readList(road, Query::DadosUltimaReducaoMFD, record);
}

}  // namespace quelfi::mfd
