// The printer exports the TEF transactions run, each as a nested call (no separator line of its
// own) on the transaction's road: the presence check, the coupon number, the end of the coupon's
// closing, the bound receipt and the management report that carry the voucher, and the status of
// the last reply.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::tef::printer {

using protocol::Road;

int isOn(const Road& road);                                   // ..VerificaImpressoraLigada
int readCouponNumber(const Road& road, std::string& number);  // Quelmar_FI_NumeroCupom
int finishCoupon(const Road& road, const char* message);      // ..TerminaFechamentoCupom
int openBoundReceipt(const Road& road, const std::string& form, const std::string& amount,
                     const std::string& couponNumber);  // ..AbreComprovanteNaoFiscalVinculado
int printBoundReceiptText(const Road& road, const std::string& text);  // ..UsaComprovante...
int closeBoundReceipt(const Road& road);  // ..FechaComprovanteNaoFiscalVinculado
int printReportText(const Road& road, const std::string& text);  // Quelmar_FI_RelatorioGerencial
int closeReport(const Road& road);  // Quelmar_FI_FechaRelatorioGerencial

// Quelmar_FI_RetornoImpressora: the last reply's ACK and ST2.
struct LastReply {
    int ack = 0;
    int st2 = 0;
};
LastReply lastReply(const Road& road);

}  // namespace quelfi::tef::printer
