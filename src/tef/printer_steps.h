// The printer exports the TEF transactions run, each as a nested call (no separator line of its
// own): the presence check, the coupon number, the end of the coupon's closing, the bound receipt
// and the management report that carry the voucher, and the status of the last reply.
#pragma once

#include <string>

namespace quelfi::tef::printer {

int isOn();                                 // Quelmar_FI_VerificaImpressoraLigada
int readCouponNumber(std::string& number);  // Quelmar_FI_NumeroCupom, into `number`
int finishCoupon(const char* message);      // Quelmar_FI_TerminaFechamentoCupom
int openBoundReceipt(const std::string& form, const std::string& amount,
                     const std::string& couponNumber);  // ..AbreComprovanteNaoFiscalVinculado
int printBoundReceiptText(const std::string& text);     // ..UsaComprovanteNaoFiscalVinculado
int closeBoundReceipt();                                // ..FechaComprovanteNaoFiscalVinculado
int printReportText(const std::string& text);           // Quelmar_FI_RelatorioGerencial
int closeReport();                                      // Quelmar_FI_FechaRelatorioGerencial

// Quelmar_FI_RetornoImpressora: the last reply's ACK and ST2.
struct LastReply {
    int ack = 0;
    int st2 = 0;
};
LastReply lastReply();

}  // namespace quelfi::tef::printer
