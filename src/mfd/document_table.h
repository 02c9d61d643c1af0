// The journal printer's document exports that share a shape, as data: each row names the export,
// its command byte, the shape of its arguments and how its closing lines read. One runner takes
// them all; the exports of a shape of their own are functions beside it (documents.h).
#pragma once

#include <array>

#include "protocol/road.h"

namespace quelfi::mfd {

enum class Document {
    CupomAdicional,
    ReimpressaoNaoFiscalVinculado,
    SegundaViaNaoFiscalVinculado,
    ImprimeCliche,
    SubTotalizaCupom,
    TotalizaCupom,
    SubTotalizaRecebimento,
    TotalizaRecebimento,
    AbreRecebimentoNaoFiscal,
    CancelaRecebimentoNaoFiscal,
    EstornoNaoFiscalVinculado,
    IniciaFechamentoCupom,
    IniciaFechamentoRecebimentoNaoFiscal,
    AcrescimoDescontoSubtotal,
    AcrescimoDescontoSubtotalRecebimento,
    CancelaAcrescimoDescontoSubtotal,
    CancelaAcrescimoDescontoSubtotalRecebimento,
};

// The caller's text arguments in the export's order; those it does not take are null.
using Arguments = std::array<const char*, 4>;

// Runs the export of the row `id` with its arguments.
int runDocument(const protocol::Road& road, Document id, const Arguments& arguments = {});

}  // namespace quelfi::mfd
