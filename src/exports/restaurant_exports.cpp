// The restaurant firmware's entry points.
#include "exports/boundary.h"
#include "quelfi32.h"
#include "restaurant/restaurant.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace restaurant = quelfi::restaurant;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FIR_RegistraVenda(const char* mesa, const char* codigo,
                                                     const char* descricao, const char* aliquota,
                                                     const char* quantidade,
                                                     const char* valorUnitario,
                                                     const char* flagAcrescimoDesconto,
                                                     const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return restaurant::registerItem(
            road, {mesa, codigo, descricao, aliquota, quantidade, valorUnitario,
                   flagAcrescimoDesconto, valorAcrescimoDesconto});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_CancelaVenda(const char* mesa, const char* codigo,
                                                    const char* descricao, const char* aliquota,
                                                    const char* quantidade,
                                                    const char* valorUnitario,
                                                    const char* flagAcrescimoDesconto,
                                                    const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return restaurant::cancelItem(road,
                                      {mesa, codigo, descricao, aliquota, quantidade, valorUnitario,
                                       flagAcrescimoDesconto, valorAcrescimoDesconto});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_TransferenciaItem(
    const char* mesaOrigem, const char* codigo, const char* descricao, const char* aliquota,
    const char* quantidade, const char* valorUnitario, const char* flagAcrescimoDesconto,
    const char* valorAcrescimoDesconto, const char* mesaDestino) {
    return enter([=](const Road& road) {
        return restaurant::transferItem(
            road, {mesaOrigem, codigo, descricao, aliquota, quantidade, valorUnitario,
                   flagAcrescimoDesconto, valorAcrescimoDesconto, mesaDestino});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_AbreConferenciaMesa(const char* mesa) {
    return enter([=](const Road& road) { return restaurant::openTableCheck(road, mesa); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_ConferenciaMesa(const char* mesa,
                                                       const char* flagAcrescimoDesconto,
                                                       const char* tipoAcrescimoDesconto,
                                                       const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return restaurant::checkTable(road, mesa, flagAcrescimoDesconto, tipoAcrescimoDesconto,
                                      valorAcrescimoDesconto);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_FechaConferenciaMesa(const char* flagAcrescimoDesconto,
                                                            const char* tipoAcrescimoDesconto,
                                                            const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return restaurant::closeTableCheck(road, flagAcrescimoDesconto, tipoAcrescimoDesconto,
                                           valorAcrescimoDesconto);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_TransferenciaMesa(const char* mesaOrigem,
                                                         const char* mesaDestino) {
    return enter(
        [=](const Road& road) { return restaurant::transferTable(road, mesaOrigem, mesaDestino); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_AbreCupomRestaurante(const char* mesa, const char* cpf) {
    return enter([=](const Road& road) { return restaurant::openTableCoupon(road, mesa, cpf); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_ContaDividida(const char* numeroCupons,
                                                     const char* valorPago, const char* cpf) {
    return enter([=](const Road& road) {
        return restaurant::splitBill(road, numeroCupons, valorPago, cpf);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_FechaCupomContaDividida(
    const char* numeroCupons, const char* acrescimoDesconto, const char* tipoAcrescimoDesconto,
    const char* valorAcrescimoDesconto, const char* formasPagamento,
    const char* valorFormasPagamento, const char* valorPago, const char* cpf) {
    return enter([=](const Road& road) {
        return restaurant::closeCouponSplit(road, numeroCupons, acrescimoDesconto,
                                            tipoAcrescimoDesconto, valorAcrescimoDesconto,
                                            formasPagamento, valorFormasPagamento, valorPago, cpf);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_RelatorioMesasAbertas(int tipoRelatorio) {
    return enter(
        [=](const Road& road) { return restaurant::openTablesReport(road, tipoRelatorio); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_RelatorioMesasAbertasSerial(void) {
    return enter([](const Road& road) { return restaurant::openTablesSerial(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_ImprimeCardapio(void) {
    return enter([](const Road& road) { return restaurant::printMenu(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_CardapioPelaSerial(void) {
    return enter([](const Road& road) { return restaurant::menuSerial(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_RegistroVendaSerial(const char* mesa) {
    return enter([=](const Road& road) { return restaurant::registrationsSerial(road, mesa); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_VerificaMemoriaLivre(char* memoriaLivre) {
    return enter([=](const Road& road) { return restaurant::freeMemory(road, memoriaLivre); });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_FechaCupomRestaurante(
    const char* formaPagamento, const char* acrescimoDesconto, const char* tipoAcrescimoDesconto,
    const char* valorAcrescimoDesconto, const char* valorPago, const char* mensagem) {
    return enter([=](const Road& road) {
        return restaurant::closeTableCoupon(road, formaPagamento, acrescimoDesconto,
                                            tipoAcrescimoDesconto, valorAcrescimoDesconto,
                                            valorPago, mensagem);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FIR_FechaCupomResumidoRestaurante(const char* formaPagamento,
                                                                     const char* mensagem) {
    return enter([=](const Road& road) {
        return restaurant::closeTableCouponInOnePayment(road, formaPagamento, mensagem);
    });
}

}  // extern "C"
