// The canned replies and log lines of the queries the day's exports ask around their commands.
#pragma once

#include <string>
#include <vector>

#include "protocol_fixture.h"

namespace quelfi::test {

// The status request's reply and the fiscal-flags reply that completes it (no coupon open).
inline void replyStatus(ScriptedLine& line) {
    line.reply(kOk);
    line.reply(bytes({6, 0, 0, 0}));
}

// The log lines of that nested status request.
inline std::vector<std::string> statusLines() {
    return {kSep,
            "Quelmar_FI_VerificaEstadoImpressora ",
            kSep,
            "Quelmar_FI_FlagsFiscais ",
            "Retorno impressora: 000",
            "Retorno Quelmar_FI_FlagsFiscais: 1",
            "Retorno impressora: 6,0,0",
            "Retorno Quelmar_FI_VerificaEstadoImpresora: 1"};
}

// The last reduction's 616 digits: the automatic mark, the grand total given, zeros.
inline std::string lastReductionDigits(const std::string& grandTotal) {
    return "00" + grandTotal + std::string(596, '0');
}

inline std::string lastReductionReply(const std::string& grandTotal) {
    return dataReply(bcd(lastReductionDigits(grandTotal)));
}

// The same digits as the query answers them: 16 fields separated by ",".
inline std::string lastReductionAnswer(const std::string& grandTotal) {
    return joined(cut(lastReductionDigits(grandTotal),
                      {2, 18, 14, 14, 64, 266, 14, 14, 126, 36, 6, 6, 2, 6, 14, 14}),
                  ",");
}

inline std::string grandTotalReply(const std::string& grandTotal) {
    return dataReply(bcd(grandTotal));
}

using DayCommandTest = ConnectedTest;

}  // namespace quelfi::test
