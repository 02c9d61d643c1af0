// The electronic-journal printers' information requests: the simple counters and texts, the
// lists of payment forms, totalizers and reports, the last reduction's record and the partial
// totalizers, the look-ups by name, and the fallbacks to the older queries on printers of type 0.
#pragma once

#include <string>

#include "fiscal/query_table.h"
#include "protocol/road.h"

namespace quelfi::mfd {

using fiscal::Query;
using protocol::Road;

// A member answering one text (or two buffers: InicioFimCOOsMFD, InicioFimGTsMFD), the lists and
// the two records included. Its answer goes to `answer` (and `second`) or to Retorno.txt.
int journalQuery(const Road& road, Query id, char* answer, char* second = nullptr);

// StatusEstendidoMFD (the byte's value) and VerificaFlagCorteMFD (1 unless the character is "0").
int journalFlag(const Road& road, Query id, short* value);

// MarcaModeloTipoImpressoraMFD: make 15, model 20, type 7 characters.
int makeModelType(const Road& road, char* make, char* model, char* type);

// ValorFormaPagamentoMFD / ValorTotalizadorNaoFiscalMFD: the first amount of the record named.
int paymentFormValue(const Road& road, const char* name, char* value);
int nonFiscalTotalizerValue(const Road& road, const char* name, char* value);

// A journal member's text read for the library's own use: nested, never to Retorno.txt.
int readJournalText(const Road& road, Query id, std::string& text);

// The last reduction's record (DadosUltimaReducaoMFD) read for the library's own use: nested,
// never to Retorno.txt.
int readLastReductionRecord(const Road& road, std::string& record);

}  // namespace quelfi::mfd
