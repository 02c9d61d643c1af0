// Reading the manager's response once its wait is over: its identification checked, the fields a
// confirmation sends back kept, and the voucher lines copied to Imprime.txt.
#pragma once

#include <string>

#include "tef/response_text.h"

namespace quelfi::tef {

// Keeps the response's fields (network, transaction number, date, time, control code, and the
// document number unless the network is VISANET). 1, -18 (no response file), -19 (another
// identification, unless an administrative request is pending).
int readResponse(const std::string& identification);

// Copies the response's voucher lines to the voucher file and records their count in TEF/LINHAS
// (and "0" in TEF/BYTES). Returns the count.
long long extractVoucher(const ResponseText& response);

}  // namespace quelfi::tef
