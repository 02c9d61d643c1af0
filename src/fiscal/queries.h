// The information queries other code calls: each runs the member's whole export behaviour (log
// lines, network step, command, answer delivery) on the road given and returns its ReturnCode.
// Run nested with QueryOptions::quietly to read a member into a buffer of your own.
#pragma once

#include <optional>
#include <string>

#include "fiscal/query_call.h"
#include "fiscal/query_table.h"
#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

// Members answering one text: the answer goes to `answer` (the row's width + 1 bytes) or to
// Retorno.txt. Covers the counters and totals (NumeroCupom is the COO, GrandeTotal the grand
// total), NumeroSerie, the rate list (RetornoAliquotas), the ISS queries and the record answers.
// -1 for a member that does not answer one text.
int textQuery(const Road& road, Query id, char* answer, const QueryOptions& options = {});

// A text member read for the library's own use: nested, its answer to `text`, never to
// Retorno.txt. The member's result.
int readQuery(const Road& road, Query id, std::string& text);

// CGC_IE (CGC 18, IE 15), DataHoraImpressora and DataHoraReducao (DDMMAA, HHMMSS).
int splitQuery(const Road& road, Query id, char* first, char* second,
               const QueryOptions& options = {});

// FlagsFiscais, VerificaEstadoGaveta, VerificaStatusCheque and VerificaTipoImpressora: `value`
// is set when the integer went to the caller (not to Retorno.txt, not on failure).
int integerQuery(const Road& road, Query id, std::optional<int>& value,
                 const QueryOptions& options = {});

// The fiscal flags for the status request's coupon-open bit: asked nested, never written to
// Retorno.txt, allowed `readyPolls` ready-polls (0: statusTimeout). The flags are 0 unless the
// query answered.
int fiscalFlagsForStatus(const Road& road, int readyPolls, int& flags);

// AcionaGaveta: opens the cash drawer; the reply's own result, no status refresh.
int openDrawer(const Road& road);

// The named look-ups: the 14-digit value of a payment form / non-fiscal totalizer by name.
// -2 for a name too long, -24 / -25 when no record carries the name.
int paymentFormValue(const Road& road, const char* name, char* value);
int nonFiscalTotalizerValue(const Road& road, const char* name, char* value);

// The day's gross sales (VendaBruta, not exported): the grand total less the grand total of the
// last Z reduction, 18 digits, to `sales` (19 bytes) or Retorno.txt.
int grossSales(const Road& road, char* sales, const QueryOptions& options = {});

// VersaoDll: the library's version as "%u,%u,%u,%u", at most 9 characters, in a buffer of 10.
int dllVersion(char* version);

}  // namespace quelfi::fiscal
