// The journal download's entry points.
#include "exports/boundary.h"
#include "mfd/formatted_data.h"
#include "mfd/journal_download.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace mfd = quelfi::mfd;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_DownloadMFD(const char* arquivo, const char* tipoDownload,
                                                  const char* dadoInicial, const char* dadoFinal,
                                                  const char* usuario) {
    return enter([=](const Road& road) {
        return mfd::downloadJournal(road, arquivo, tipoDownload, dadoInicial, dadoFinal, usuario);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_DownloadMF(const char* arquivo) {
    return enter([=](const Road& road) { return mfd::downloadFiscalMemory(road, arquivo); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FormatoDadosMFD(const char* arquivoOrigem,
                                                      const char* arquivoDestino,
                                                      const char* formato, const char* tipoDownload,
                                                      const char* dadoInicial,
                                                      const char* dadoFinal, const char* usuario) {
    return enter([=](const Road& road) {
        return mfd::formatDownload(road, arquivoOrigem, arquivoDestino, formato, tipoDownload,
                                   dadoInicial, dadoFinal, usuario);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RelatorioSintegraMFD(
    int relatorio, const char* arquivo, const char* mes, const char* ano, const char* razaoSocial,
    const char* endereco, const char* numero, const char* complemento, const char* bairro,
    const char* cidade, const char* cep, const char* telefone, const char* fax,
    const char* contato) {
    return enter([=](const Road& road) {
        return mfd::sintegraReport(road, relatorio, arquivo,
                                   {mes, ano, razaoSocial, endereco, numero, complemento, bairro,
                                    cidade, cep, telefone, fax, contato});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_GeraRelatorioSintegraMFD(
    int relatorio, const char* arquivoOrigem, const char* arquivoDestino, const char* mes,
    const char* ano, const char* razaoSocial, const char* endereco, const char* numero,
    const char* complemento, const char* bairro, const char* cidade, const char* cep,
    const char* telefone, const char* fax, const char* contato) {
    return enter([=](const Road& road) {
        return mfd::sintegraFromFile(road, relatorio, arquivoOrigem, arquivoDestino,
                                     {mes, ano, razaoSocial, endereco, numero, complemento, bairro,
                                      cidade, cep, telefone, fax, contato});
    });
}

}  // extern "C"
