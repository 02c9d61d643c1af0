// The members that answer a small integer: the fiscal flags, the drawer sensor, the cheque
// status and the printer type. Each decodes its data bytes in its own way; the delivery is shared:
// the integer to the caller, or its text to Retorno.txt.
#include <cstdlib>
#include <string>

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "fiscal/query_call.h"
#include "fiscal/record_answers.h"

namespace quelfi::fiscal {

using core::state;

namespace {

struct IntegerAnswer {
    int value = 0;
    std::string text;  // what Retorno.txt and the log receive
};

// 1 with the answer filled in, or a refusal already logged.
using Decode = int (*)(const QueryCall& call, const std::string& reply, IntegerAnswer& answer);

// The data byte of a one-byte reply shown as three decimal digits; -1 when it is not that.
int dataByte(const std::string& reply, std::size_t index = 0) {
    const std::string digits = slice(reply, 3 * index, 3);
    if (digits.size() != 3 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::atoi(digits.c_str());
}

int decodeFlags(const QueryCall&, const std::string& reply, IntegerAnswer& answer) {
    answer = {std::atoi(head(reply, 3).c_str()), head(reply, 3)};
    return 1;
}

// The sensor answers 255 for one position and 0 for the other; ModoGaveta swaps them for drawers
// wired the other way round.
int decodeDrawer(const QueryCall& call, const std::string& reply, IntegerAnswer& answer) {
    const int byte = dataByte(reply);
    if (byte != 255 && byte != 0) return call.log().finish(-1);
    int open = byte == 255 ? 1 : 0;
    if (state().drawerMode) open = 1 - open;
    answer = {open, std::to_string(open)};
    return 1;
}

// The cheque-status byte of the two cheque units: 1, 2, 3 or 4 as applications know them.
int decodeCheque(const QueryCall& call, const std::string& reply, IntegerAnswer& answer) {
    const int b = dataByte(reply);
    int status;
    if (b < 0) {
        return call.log().fail(-1, "Erro de execu\xE7\xE3o");
    } else if (state().chequeStatusIbm) {
        if (!(b & 1))
            status = (b & 2) || (b & 4) ? 4 : 2;
        else
            status = (b & 64) ? 1 : 4;
    } else if (!(b & 4)) {
        status = (b & 8) ? 4 : 2;
    } else if (!(b & (8 | 32 | 64))) {
        status = 3;
    } else if ((b & 32) && (b & 64) && !(b & 8)) {
        status = 1;
    } else {
        return call.log().fail(-1, "Erro de execu\xE7\xE3o");
    }
    answer = {status, std::to_string(status)};
    return 1;
}

// Three capability bytes, each 255 (present) or 0 (absent), make the types 1 to 8.
int decodePrinterType(const QueryCall& call, const std::string& reply, IntegerAnswer& answer) {
    int type = 1;
    constexpr int weights[3] = {4, 2, 1};
    for (std::size_t k = 0; k < 3; ++k) {
        const int byte = dataByte(reply, k);
        if (byte != 255 && byte != 0) return call.log().finish(-1);
        if (byte == 0) type += weights[k];
    }
    answer = {type, std::to_string(type)};
    return 1;
}

Decode decoderOf(Query id) {
    switch (id) {
        case Query::FlagsFiscais:
            return decodeFlags;
        case Query::VerificaEstadoGaveta:
            return decodeDrawer;
        case Query::VerificaStatusCheque:
            return decodeCheque;
        case Query::VerificaTipoImpressora:
            return decodePrinterType;
        default:
            return nullptr;
    }
}

}  // namespace

int integerQuery(const Road& road, Query id, std::optional<int>& value,
                 const QueryOptions& options) {
    value.reset();
    const Decode decode = decoderOf(id);
    if (!decode) return -1;
    const QueryCall call(road, member(id), options);
    const auto deliver = [&](const IntegerAnswer& answer) {
        if (call.answersToFile()) {
            if (const int written = call.log().writeAnswer(answer.text); written != 1)
                return written;
        } else {
            value = answer.value;
        }
        call.log().logAnswer(answer.text);
        return call.finish();
    };
    // An answer made without the Quelmar reply is the integer's text.
    if (auto forwarded = call.forward({}, [&](const Answer& made) {
            return deliver({std::atoi(made.text.c_str()), made.forFile()});
        }))
        return *forwarded;
    int failure = 0;
    if (!call.ask(failure)) return failure;
    IntegerAnswer answer;
    if (const int decoded = decode(call, state().replyBuffer, answer); decoded != 1) return decoded;
    return deliver(answer);
}

int fiscalFlagsForStatus(const Road& road, int readyPolls, int& flags) {
    std::optional<int> value;
    const int result = core::nested([&] {
        return integerQuery(road, Query::FlagsFiscais, value,
                            {.quietly = true, .readyPolls = readyPolls});
    });
    flags = value.value_or(0);
    return result;
}

}  // namespace quelfi::fiscal
