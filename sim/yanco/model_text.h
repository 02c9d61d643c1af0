// The Yanco printer's state as text: the seed that sets up a printer for a test or for
// "quelfi sim --yanco", and the state file that keeps it between runs, share one notation.
//
// A text is a list of settings `key=value`, separated by ';' or line ends. Blanks around keys and
// values are dropped; a line starting with '#' is a comment. Later settings override earlier ones.
// Example:
//
//     rates=18.00,12.00,,5.00/ISS; payments=Dinheiro,Cartao/V; coo=1234; day=1;
//     clock=06/12/2026 10:00:00; paper=low
//
// Values: numbers are decimal; amounts and rates are decimals with a point (12.5 is 12,50) and
// may be negative; quantities and unit prices have up to three decimals; flags are 0 or 1; dates
// are DD/MM/YYYY and moments DD/MM/YYYY HH:MM:SS. The printer prints ASCII only: texts are ASCII,
// %XX writes a byte, and must be used for '%', ';', for ',' and '/' in list entries, and for
// blanks at either end.
//
// Machine and owner: serial (10 characters), firmware (2), cnpj, ie, header (the owner's header,
// up to 168 characters: four lines of 42), currency (symbol), store, register.
// Settings and sensors: dst (summer time), memory (reductions the fiscal memory holds), paper
// (ok, low, out), drawer (1 open), mechanism.error.
// Clock: clock=moment stops the clock there; clock.offset=seconds lets it run at host time plus
// the offset.
// Counters: coo, ccf, gnf, grg, cdc, crz, cro, cancelled.
// Totals: gt, gt.opening (the grand total the day began with), icms.discounts, iss.discounts,
// icms.surcharges, iss.surcharges, cancellations, sales.N (slot N: 1-13 the rates, 14 F, 15 I,
// 16 N), payment.N.total, totalizer.N.count, totalizer.N.total.
// The day: day (1: opened with "121"), movement (its date, or none), document (none, coupon,
// totalled, payment, paid, bound, report), lastcoupon (1: nothing but bound receipts printed
// since the last coupon).
// Tables (each replaces the whole table; entries in slot order, an empty entry leaves a slot
// free):
//   rates=18.00,7.00/ISS      13 slots; /ICMS is the default
//   payments=Dinheiro,Cartao/V   30 slots; /V: a coupon paid in it may have a bound receipt
//   totalizers=Recebimento,Sangria,Suprimento   9 slots (2 withdrawals, 3 supplies)
// The coupon in progress, or the last one: coupon.coo, coupon.ended, coupon.cancelled,
// coupon.adjustment=AMOUNT[/PERCENT] (negative: a discount), coupon.item.N=SLOT,QUANTITY,PRICE,
// DECIMALS (1: printed with three),TAX (ICMS, ISS),ADJUSTMENT,PERCENT,CANCELLED,CODE,DESCRIPTION,
// coupon.payment.N=FORM,AMOUNT (N from 1; one past the last adds one).
// Fiscal memory: z.N.KEY for reduction N (1 first; one past the last adds one), with KEY crz,
// coo, at (moment), movement (date), gt.opening, gt, and the day's totals' keys above (sales.N,
// totalizer.N.count, totalizer.N.total, icms.discounts, ...).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/yanco/model.h"

namespace quelfi::sim::yanco {

// Applies the settings to the model in order; on the first one not understood, returns its error
// (the settings before it stay applied).
std::optional<std::string> applySeed(Model& model, std::string_view seed);

// A default printer with the seed applied; std::invalid_argument when the seed is wrong.
Model modelFromSeed(std::string_view seed);

// The whole state, one setting a line, so that applying it to a default model gives it back.
std::string modelText(const Model& model);

// Writes the whole state; the file is replaced at once, never left half-written.
bool saveModel(const Model& model, const std::string& path);

// Reads a state written by saveModel (or any seed). Null when the file cannot be read or a
// setting is wrong; `error` then says why.
std::optional<Model> loadModel(const std::string& path, std::string* error = nullptr);

}  // namespace quelfi::sim::yanco
