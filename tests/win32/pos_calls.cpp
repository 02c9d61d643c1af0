#include "pos_calls.h"

#include <cstdio>

#include "quelfi32.h"

namespace quelfi::client {
namespace {

// Calls the export `name` through a pointer of the header's own type for it, so the calling
// convention and the arguments are exactly what a program compiled with the header passes.
template <typename Function, typename... Args>
std::optional<int> invoke(const Lookup& lookup, const std::string& name, Args... args) {
    void* address = lookup(name);
    if (!address) return std::nullopt;
    return reinterpret_cast<Function>(address)(args...);
}

// One list entry: the export by name with its arguments. A decorated export is listed with
// QF_DECORATED_CALL and its argument bytes, the way a program imports it from the DLL.
#define QF_CALL(expected, name, ...)                                                \
    Call {                                                                          \
#name "(" #__VA_ARGS__ ")", expected, [](const Lookup& lookup) {                  \
            return invoke<decltype(&name)>(lookup, #name __VA_OPT__(, ) __VA_ARGS__);     \
        } \
    }
#define QF_DECORATED_CALL(expected, name, bytes, ...)                               \
    Call {                                                                          \
#name "(" #__VA_ARGS__ ")", expected, [](const Lookup& lookup) {                  \
            return invoke<decltype(&name)>(lookup, "_" #name "@" #bytes __VA_OPT__(, )    \
                                               __VA_ARGS__);                              \
        } \
    }

// Where the library writes its answers, as a program's own variables.
short ack, st1, st2;
char couponNumber[7];
char grandTotal[19];

}  // namespace

std::vector<Call> posCalls() {
    return {
        // The start of a day at the till: the port opened by the configuration's name, then by
        // index, closed in between; a reload of the configuration, as after the INI was edited.
        QF_CALL(1, Quelmar_FI_AbrePortaSerial),
        QF_CALL(1, Quelmar_FI_AbrePortaSerial),
        QF_CALL(1, Quelmar_FI_FechaPortaSerial),
        QF_CALL(1, Quelmar_FI_AbrePorta, 0),
        QF_CALL(1, Quelmar_FI_FechaPortaSerial),
        QF_CALL(std::nullopt, Quelmar_FI_ReloadINIFile),
        QF_CALL(1, Quelmar_FI_FechaPortaSerial),
        // A sale: the printer's status, a coupon with two items closed with one payment, then
        // the coupon number and the grand total read back.
        QF_CALL(1, Quelmar_FI_AbrePortaSerial),
        QF_CALL(1, Quelmar_FI_VerificaEstadoImpressora, &ack, &st1, &st2),
        QF_CALL(1, Quelmar_FI_AbreCupom, "123.456.789-09"),
        QF_CALL(1, Quelmar_FI_VendeItem, "7891234567890", "Arroz 5kg", "18,00", "I", "2", 2, "2490",
                "$", "0"),
        QF_CALL(1, Quelmar_FI_VendeItem, "123", "Feij\xE3o", "07,00", "F", "1,500", 3, "899", "%",
                "10,00"),
        QF_CALL(1, Quelmar_FI_FechaCupom, "Dinheiro", "D", "$", "0", "10000", "Obrigado"),
        // A coupon through the Spanish names (each closes the port), one through the English.
        QF_CALL(1, Quelmar_FI_AbreComprobanteDeVenta, "", "Maria"),
        QF_CALL(1, Quelmar_FI_VentaDeProducto, "1", "Agua", "18,00", "I", "1", 2, "100", "$", "0"),
        QF_CALL(1, Quelmar_FI_CierraVenta, "Dinheiro", "D", "$", "0", "100", "Gracias"),
        QF_DECORATED_CALL(1, Quelmar_FI_LinesAmoungCoupon, 4, 3),
        QF_CALL(1, Quelmar_FI_OpenCoupon, ""),
        QF_CALL(1, Quelmar_FI_SellItem, "1", "Agua", "18,00", "I", "1", 2, "100", "$", "0"),
        QF_CALL(1, Quelmar_FI_CloseCoupon, "Dinheiro", "D", "$", "0", "100", "Thanks"),
        QF_CALL(1, Quel_FI_FechaPortaSerial),
        QF_CALL(1, Quelmar_FI_AbrePortaSerial),
        QF_CALL(1, Quelmar_FI_NumeroCupom, couponNumber),
        QF_CALL(1, Quelmar_FI_GrandeTotal, grandTotal),
        QF_CALL(1, Quelmar_FI_FechaPortaSerial),
    };
}

std::vector<Call> downloadCalls() {
    return {
        QF_CALL(1, Quelmar_FI_DownloadMF, "c:\\quelfi\\MF.BIN"),
        QF_CALL(1, Quelmar_FI_DownloadMFD, "c:\\quelfi\\MFD.BIN", "0", "", "", ""),
        QF_CALL(1, Quelmar_FI_FormatoDadosMFD, "c:\\quelfi\\MFD.BIN", "c:\\quelfi\\MFD.TXT", "0",
                "0", "", "", ""),
        QF_CALL(1, Quelmar_FI_FormatoDadosMFD, "c:\\quelfi\\MFD.BIN", "c:\\quelfi\\Relat\xF3rio.db",
                "2", "0", "", "", ""),
    };
}

int runCalls(const Lookup& lookup, bool closePort, std::vector<Call> calls) {
    if (!closePort) calls.pop_back();
    int failures = 0;
    for (const Call& call : calls) {
        const std::optional<int> result = call.run(lookup);
        if (!result) {
            std::printf("%s: not exported\n", call.text.c_str());
            ++failures;
            continue;
        }
        const bool wrong = call.expected && *call.expected != *result;
        std::printf("%s = %d%s\n", call.text.c_str(), *result, wrong ? "  (unexpected)" : "");
        if (wrong) ++failures;
    }
    std::printf("status %d,%d,%d; coupon %s; grand total %s\n", ack, st1, st2, couponNumber,
                grandTotal);
    std::fflush(stdout);
    return failures;
}

}  // namespace quelfi::client
