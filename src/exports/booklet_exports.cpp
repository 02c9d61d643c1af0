// The entry point of the payment booklet.
#include "accessories/booklet/booklet.h"
#include "exports/boundary.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_ImpressaoCarne(const char* titulo, const char* parcela,
                                                     const char* datas, int quantidade,
                                                     const char* texto, const char* cliente,
                                                     const char* rgcpf, const char* cupom, int vias,
                                                     int reservado) {
    return enter([=](const Road& road) {
        return quelfi::accessories::printBooklet(road, {titulo, parcela, datas, quantidade, texto,
                                                        cliente, rgcpf, cupom, vias, reservado});
    });
}

}  // extern "C"
