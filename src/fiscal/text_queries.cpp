// The members that answer text: one shape for all of them, with the answer cut from the decoded
// reply by the row's width or rebuilt by a small shaping function.
#include <string>
#include <vector>

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/iss_map.h"
#include "fiscal/queries.h"
#include "fiscal/query_call.h"
#include "fiscal/record_answers.h"
#include "fiscal/tax_rate_table.h"

namespace quelfi::fiscal {

using core::state;

namespace {

using Shape = Answer (*)(const QueryMember& row, const std::string& reply);

Answer leading(const QueryMember& row, const std::string& reply) {
    return {head(reply, row.width), std::nullopt};
}

Answer paddedRight(const QueryMember& row, const std::string& reply) {
    std::string text = head(reply, row.width);
    text.resize(row.width, ' ');
    return {text, std::nullopt};
}

// The long serial-number reply carries five characters before the number.
Answer fromSixth(const QueryMember& row, const std::string& reply) {
    return {slice(reply, 5, row.width), std::nullopt};
}

Answer issIndices(const QueryMember&, const std::string& reply) {
    return {slotList(issSlots(reply)), std::nullopt};
}

// The rate list is the same request the tax-rate table is read with: what the printer answered
// also refreshes the cached table.
Answer rateList(const QueryMember& row, const std::string& reply) {
    if (state().ack == 6) storeTaxRateList(reply);
    return leading(row, reply);
}

// Two answers: one after the other in the buffers, on two lines in Retorno.txt.
Answer twoParts(const QueryMember& row, const std::string& reply) {
    const std::string text = head(reply, row.width);
    return {text, head(text, row.split) + ",\r\n" + slice(text, row.split, row.width)};
}

template <Answer (*Records)(const std::string&)>
Answer records(const QueryMember&, const std::string& reply) {
    return Records(reply);
}

Shape shapeOf(Query id) {
    switch (id) {
        case Query::ClicheProprietario:
            return paddedRight;
        case Query::VerificaIndiceAliquotasIss:
            return issIndices;
        case Query::RetornoAliquotas:
            return rateList;
        case Query::VerificaFormasPagamento:
            return records<paymentFormRecords>;
        case Query::VerificaRecebimentoNaoFiscal:
            return records<nonFiscalReceiptRecords>;
        case Query::VerificaDepartamentos:
            return records<departmentRecords>;
        case Query::DadosUltimaReducao:
            return records<lastReductionFields>;
        case Query::VerificaTotalizadoresParciais:
            return records<partialTotalizerFields>;
        default:
            return leading;
    }
}

// The common shape: header, network step, command, answer, closing line.
int run(const QueryCall& call, const protocol::CommandSpec& spec, Shape shape, char* answer,
        char* second = nullptr) {
    const QueryMember& row = call.row();
    if (auto forwarded = call.forward(answer, second)) return *forwarded;
    int failure = 0;
    if (!call.ask(spec, failure)) return failure;
    const int delivered = call.deliver(shape(row, state().replyBuffer), answer, second);
    return delivered == 1 ? call.finish() : delivered;
}

// Printers of type 0 know only the short request, ESC '#' NUL, whatever the prefix in use.
int serialNumber(const QueryCall& call, char* serial) {
    const QueryMember& row = call.row();
    if (state().printerType != 0) return run(call, commandOf(row), fromSixth, serial);
    return run(call, protocol::query(std::string("\x1B#\0", 3), 18, row.dataFormat), leading,
               serial);
}

// The service-tax rates: the slots of the ISS map looked up in the cached tax-rate table.
int issRates(const QueryCall& call, char* rates) {
    if (auto forwarded = call.forward(rates)) return *forwarded;
    if (!state().taxRateTableLoaded) {
        const int read = readTaxRateTable(call.log().road());
        if (read == 0) return call.log().communicationFailure();
        if (read != 1) return call.log().finish(read);
    }
    int failure = 0;
    if (!call.ask(failure)) return failure;
    std::string list;
    for (int slot : issSlots(state().replyBuffer))
        list += state().taxRateTable[static_cast<std::size_t>(slot - 1)];
    const int delivered = call.deliver({groupRates(list), std::nullopt}, rates);
    return delivered == 1 ? call.finish() : delivered;
}

bool answersOneText(const QueryMember& row) {
    switch (row.id) {
        case Query::FlagsFiscais:
        case Query::VerificaTipoImpressora:
        case Query::AcionaGaveta:
        case Query::VerificaEstadoGaveta:
        case Query::VerificaStatusCheque:
        case Query::ValorFormaPagamento:
        case Query::ValorTotalizadorNaoFiscal:
            return false;
        default:
            return row.split == 0;
    }
}

}  // namespace

int textQuery(const Road& road, Query id, char* answer, const QueryOptions& options) {
    const QueryMember& row = member(id);
    if (!answersOneText(row)) return -1;
    if (id == Query::VendaBruta) return grossSales(road, answer, options);
    const QueryCall call(road, row, options);
    switch (id) {
        case Query::NumeroSerie:
            return serialNumber(call, answer);
        case Query::VerificaAliquotasIss:
            return issRates(call, answer);
        default:
            return run(call, commandOf(row), shapeOf(id), answer);
    }
}

int readQuery(const Road& road, Query id, std::string& text) {
    std::vector<char> buffer(member(id).width + 1, '\0');
    const int result = core::nested(
        [&] { return textQuery(road, id, buffer.data(), {.quietly = true, .readyPolls = 0}); });
    text.assign(buffer.data());
    return result;
}

int splitQuery(const Road& road, Query id, char* first, char* second, const QueryOptions& options) {
    const QueryMember& row = member(id);
    if (row.split == 0) return -1;
    return run(QueryCall(road, row, options), commandOf(row), twoParts, first, second);
}

}  // namespace quelfi::fiscal
