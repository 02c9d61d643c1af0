// What the electronic-journal model keeps of its own documents: the management reports it can
// issue, the last bound receipt (which a reprint, a second copy or a reversal refer to), and the
// journal itself, every document as it was printed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/printer_clock.h"

namespace quelfi::sim {

inline constexpr std::size_t kManagementReports = 30;

// The consumer's identification a document carries under its heading. Texts in code page 850.
struct Consumer {
    std::string id;  // CPF or CNPJ
    std::string name;
    std::string address;
    bool empty() const { return id.empty() && name.empty() && address.empty(); }
};

// Report 01 comes named from the factory; 02-30 are named by the owner before use.
struct ManagementReport {
    std::string name;  // code page 850, at most 17 characters; empty: not named
    int count = 0;     // reports of this kind issued, never cleared
    bool operator==(const ManagementReport&) const = default;
};

// The last bound receipt. Its reprint, second copy and reversal are allowed while nothing else
// has been issued since it (or since its latest reprint or copy), each of them once.
struct LastBoundReceipt {
    int coo = 0;   // 0: none issued yet
    int form = 0;  // payment-form slot, 1 first
    std::int64_t amount = 0;
    int latestCoo = 0;  // COO of the receipt, or of its latest reprint or copy
    bool reprinted = false;
    bool copied = false;
    bool reversed = false;
    bool operator==(const LastBoundReceipt&) const = default;
};

enum class JournalKind {
    Coupon,               // fiscal coupon (or passenger ticket)
    CouponCancellation,   // the last coupon cancelled after its closing
    AdditionalCoupon,     // the copy printed after a coupon; it has the coupon's COO
    NonFiscalReceipt,     // comprovante não fiscal: receipts, withdrawals, supplies
    ReceiptCancellation,  // the last non-fiscal receipt cancelled after its closing
    ManagementReport,     //
    BoundReceipt,         // comprovante de crédito ou débito
    BoundReprint,         //
    BoundCopy,            // its second copy
    BoundReversal,        //
    ReadingX,             //
    ReductionZ,           //
    FiscalMemoryReading,  //
    Other,                // any other document that took a COO
};

// One document of the journal: its COO, kind, the moment it began and its printed lines, in
// code page 850, as the paper shows them (without line ends).
struct JournalEntry {
    int coo = 0;
    JournalKind kind = JournalKind::Other;
    DateTime at;
    std::vector<std::string> lines;
    bool operator==(const JournalEntry&) const = default;
};

}  // namespace quelfi::sim
