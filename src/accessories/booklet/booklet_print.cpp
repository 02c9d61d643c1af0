// Quelmar_FI_ImpressaoCarne: its checks, its network record, then every page through the
// management report and the report's closing — also after a page that failed, so that a booklet
// never leaves the printer inside a report that would block the next coupon.
#include <optional>
#include <string>

#include "accessories/booklet/booklet.h"
#include "accessories/booklet/quel_carne.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/document_text.h"
#include "fiscal/nonfiscal_documents.h"
#include "fiscal/queries.h"
#include "protocol/call.h"

namespace quelfi::accessories {

namespace {

constexpr int kCommandNotExecuted = 0x01;  // ST2
constexpr std::size_t kCouponMax = 10;
constexpr int kShortPage = 20;  // lines, on the printers whose serial number begins "5708"
constexpr int kLongPage = 24;

bool digitsOnly(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string shown(const char* text) {
    return text ? std::string(text) : std::string("null");
}

// The first refusal of the arguments, in the order the checks run, its line logged; the booklet
// filled in otherwise.
std::optional<int> refusal(const protocol::Call& call, const BookletArguments& a,
                           QuelCarne& booklet) {
    auto invalid = [&](std::string_view field, const std::string& value) {
        return call.fail(-2, "Parametro invalido para " + std::string(field) + ": " + value);
    };
    if (a.instalments < 1 || a.instalments > kMaxInstalments)
        return invalid("quantidade", std::to_string(a.instalments));
    booklet.instalments = a.instalments;
    booklet.coupon = core::argText(a.coupon);
    if (!digitsOnly(booklet.coupon) || booklet.coupon.size() > kCouponMax)
        return invalid("cupom", booklet.coupon);
    // The page must fit in one report text; customer and identity take their fields whatever
    // they hold, and their own checks come later.
    booklet.customer = core::argText(a.customer);
    booklet.identity = core::argText(a.identity);
    if (!a.title) return invalid("titulo", shown(a.title));
    booklet.title = a.title;
    if (booklet.pageLength() > fiscal::kDocumentTextMax) return invalid("titulo", a.title);
    if (!a.amounts || !booklet.readAmounts(a.amounts)) return invalid("parcela", shown(a.amounts));
    if (!a.dates || !booklet.readDates(a.dates)) return invalid("datas", shown(a.dates));
    if (!a.text) return invalid("texto", shown(a.text));
    booklet.text = a.text;
    if (booklet.pageLength() > fiscal::kDocumentTextMax) return invalid("texto", a.text);
    if (!a.customer || booklet.customer.size() > kCustomerField)
        return invalid("cliente", shown(a.customer));
    if (!a.identity || booklet.identity.size() > kIdentityField)
        return invalid("rgcpf", shown(a.identity));
    if (a.copies < 0 || a.copies > kMaxCopies) return invalid("vias", std::to_string(a.copies));
    booklet.copies = a.copies;
    return std::nullopt;
}

// The lines of a page: fewer on the printers of the "5708" series and when the printer gives no
// serial number.
int pageLines(std::string serial) {
    serial.erase(serial.find_last_not_of(' ') + 1);
    return serial.empty() || serial.starts_with("5708") ? kShortPage : kLongPage;
}

// Every page, copies outermost: 1, or the result of the page that ended the booklet.
int printPages(const protocol::Road& road, QuelCarne& booklet, int lines) {
    for (int copy = 1; copy <= booklet.copies; ++copy) {
        for (int instalment = 1; instalment <= booklet.instalments; ++instalment) {
            const std::string page = booklet.page(copy, instalment, lines);
            const int result = fiscal::printReportText(road, page.c_str());
            // A status that is not clean goes on, unless the printer did not print the page.
            const bool printed =
                result == 1 || (result == -27 && (core::state().st2 & kCommandNotExecuted) == 0);
            if (!printed) return result;
        }
    }
    return 1;
}

}  // namespace

int printBooklet(const protocol::Road& road, const BookletArguments& arguments) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_ImpressaoCarne"));
    QuelCarne booklet;
    if (auto refused = refusal(call, arguments, booklet)) return *refused;
    if (auto forwarded =
            call.handOver({arguments.title, arguments.amounts, arguments.dates,
                           std::to_string(arguments.instalments), arguments.text,
                           arguments.customer, arguments.identity, booklet.coupon,
                           std::to_string(arguments.copies), std::to_string(arguments.reserved)}))
        return *forwarded;

    std::string serial;
    const int read = fiscal::readQuery(road, fiscal::Query::NumeroSerie, serial);
    if (read != 1 && read != -27) return call.finish(read);
    const int lines = pageLines(serial);
    const int printed = core::nested([&] { return printPages(road, booklet, lines); });
    const int closed = core::nested([&] { return fiscal::closeReport(road); });
    return call.finish(printed == 1 ? closed : printed);
}

}  // namespace quelfi::accessories
