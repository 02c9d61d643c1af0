// The printer's state as text: the seed that sets up a printer for a test or the command-line
// tool, and the model file that keeps its state between runs, share one notation.
//
// A text is a list of settings `key=value`, separated by ';' or line ends. Blanks around keys and
// values are dropped; a line starting with '#' is a comment. Later settings override earlier ones.
// Example:
//
//     rates=18.00,7.00/ISS; coo=1234; payments=Dinheiro,Cartao/V; serial=QM0123456789;
//     firmware=01.03.00; mfd=1; type=1
//
// Values: numbers are decimal; amounts and rates are decimals with a point (12.5 is 12,50);
// quantities have up to three decimals; flags are 0 or 1; dates are DD/MM/YYYY and moments
// DD/MM/YYYY HH:MM:SS. Texts are UTF-8 (kept by the printer in code page 850); %XX writes any byte,
// and must be used for '%', ';', for ',' and '/' in list entries, and for blanks at either end.
//
// Machine and owner: mfd (electronic journal), type (1-8), serial, firmware (NN.NN.NN), cnpj,
// ie, im, cliche, store, register, currency (symbol).
// Settings: truncate, dst (daylight saving), mode (operation mode byte), eprom, memory (fiscal
// memory size in reductions), currency.singular and currency.plural (the cheque's currency
// names), authentication (the authentication character: 18 column bytes as numbers, or empty),
// impact (needle impact 1-3), feed (blank lines after each document), spacing (line spacing).
// Sensors: paper (ok, low, out), paper.lines (printed since the paper ran low), drawer (1 open),
// cheque (the slip's sensor byte: 4 document in, 32 aligned, 64 under the head), clock.error,
// printer.error, ram.error, st3 (journal status word).
// Clock: clock=moment stops the clock there; clock.offset=seconds lets it run at host time plus
// the offset. minutes, minutes.printing: the time counters.
// Counters: coo, crz, cro, gnf, ccf, grg, cdc, cancelled, cancelled.nonfiscal, owners (owner
// substitutions), tickets (passenger tickets), lastitem.
// Totals: gt (grand total), lastpaid (paid in the last coupon), cancellable (the last coupon may
// still be cancelled), icms.exempt, icms.nonincidence, icms.substitution, iss.exempt,
// iss.nonincidence, iss.substitution, icms.discounts, iss.discounts, icms.surcharges,
// iss.surcharges, icms.cancellations, iss.cancellations, withdrawals, supplies,
// nonfiscal.discounts, nonfiscal.surcharges, nonfiscal.cancellations.
// Day: movement (date of the day's first document, or none), document (none, coupon, payment,
// nonfiscal, report, bound, subtotal, nonfiscal.subtotal, nonfiscal.payment), lastcoo (COO of
// the last fiscal coupon), bound.coupon (the coupon whose payments payment.N.bound amounts were
// covered by bound receipts).
// Tables (each replaces the whole table; list entries in slot order, empty entries leave a slot
// free):
//   rates=18.00,7.00/ISS   rates with their binding (/ICMS is the default); rate.N.total
//   payments=Dinheiro,Cartao/V   /V: the form may carry a bound receipt; payment.N.total,
//                                payment.N.last (paid with it in the last coupon),
//                                payment.N.bound (of that, covered by bound receipts)
//   totalizers=,Sangria    non-fiscal totalizers (50 slots); totalizer.N.count, totalizer.N.total
//   departments=Bebidas    (20 slots); department.N.total, department.N.quantity
// Fiscal memory: z.N.KEY for reduction N (1 first; N may be one past the last to add one), with
// KEY crz, coo, gnf, gt, at (moment), movement (date), automatic, rates (as above),
// ratetotals (amounts, one per rate), nftotals, nfcounts (per non-fiscal slot) and the day
// totals' keys (icms.exempt, ..., supplies, nonfiscal.discounts, nonfiscal.surcharges,
// nonfiscal.cancellations).
// The coupon being sold, or the last one: coupon.KEY, see coupon_text.h; the journal printer's
// non-fiscal receipt likewise under receipt.KEY.
// The journal printer's own records: reports=GERAL,Vendas (the management reports' names, 30
// slots; report 01 is named GERAL on a new printer), report.N.count; bound.last=coo,form,amount,
// latest,reprinted,copied,reversed (the last bound receipt and what followed it); and the journal,
// journal.N.coo, journal.N.kind (coupon, coupon.cancellation, coupon.additional, nonfiscal,
// nonfiscal.cancellation, report, bound, bound.reprint, bound.copy, bound.reversal, reading,
// reduction, memory.reading, other), journal.N.at (the moment it began) and journal.N.lines (the
// printed lines, a list of texts). history=DATE,DAYS adds DAYS days from DATE, each three coupons
// and its Z reduction, in the journal and the fiscal memory.
// The restaurant firmware's tables, menu and open bill check: table.N.M, menu.N and check, see
// restaurant_text.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim {

// Applies the settings to the model in order; on the first one not understood, returns its error
// (the settings before it stay applied).
std::optional<std::string> applySeed(FiscalModel& model, std::string_view seed);

// A default printer with the seed applied; std::invalid_argument when the seed is wrong.
FiscalModel modelFromSeed(std::string_view seed);

// The whole state, one setting a line, so that applying it to a default model gives it back.
std::string modelText(const FiscalModel& model);

}  // namespace quelfi::sim
