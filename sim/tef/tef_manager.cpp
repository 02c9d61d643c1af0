#include "sim/tef/tef_manager.h"

#include <algorithm>

namespace quelfi::sim::tef {

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

const char* const kStatusApproved = "0";
const char* const kStatusRefused = "5";
const char* const kStatusCancelled = "1";
const char* const kStatusDuplicate = "9";

// The network refuses amounts ending in 99 centavos: a refusal a point of sale can ask for.
bool declinedAmount(const std::string& amount) {
    return amount.size() >= 2 && amount.compare(amount.size() - 2, 2, "99") == 0;
}

long long numberOf(const std::string& text) {
    long long n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        if (n < 100000000000000LL) n = n * 10 + (c - '0');
    }
    return n;
}

std::string money(const std::string& centavos) {
    std::string digits = std::to_string(numberOf(centavos));
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    return "R$ " + digits.substr(0, digits.size() - 2) + "," + digits.substr(digits.size() - 2);
}

std::string sixDigits(long long n) {
    std::string text = std::to_string(n);
    return std::string(text.size() < 6 ? 6 - text.size() : 0, '0') + text;
}

// The response's opening: the operation, the identification, and where the network puts them,
// the document number and the amount (VISANET answers carry no document number).
Fields opening(const std::string& operation, const std::string& identification,
               const std::string& network, const Request& request) {
    Fields fields = {{"000-000", operation}, {"001-000", identification}};
    if (network != "VISANET") fields.push_back({"002-000", request.field("002")});
    fields.push_back({"003-000", request.field("003")});
    return fields;
}

void addVoucher(Fields& fields, const std::vector<std::string>& lines) {
    fields.push_back({"028-000", std::to_string(lines.size())});
    for (std::size_t i = 0; i < lines.size(); ++i)
        fields.push_back(
            {"029-" + sixDigits(static_cast<long long>(i + 1)).substr(3), "\"" + lines[i] + "\""});
}

std::string closing(Fields fields, const std::string& message) {
    fields.push_back({"030-000", message});
    fields.push_back({"999-999", "0"});
    return fileText(fields);
}

// An answer without voucher: its status and the operator's message.
std::string plainAnswer(Fields fields, const std::string& status, const std::string& network,
                        const std::string& message) {
    fields.push_back({"009-000", status});
    fields.push_back({"010-000", network});
    fields.push_back({"028-000", "0"});
    return closing(std::move(fields), message);
}

}  // namespace

const char* stateName(TransactionState state) {
    switch (state) {
        case TransactionState::Pending:
            return "pending";
        case TransactionState::Confirmed:
            return "confirmed";
        case TransactionState::Undone:
            return "undone";
        case TransactionState::Cancelled:
            return "cancelled";
    }
    return "";
}

TefManager::TefManager(std::filesystem::path requestDirectory,
                       std::filesystem::path responseDirectory, Behaviour behaviour)
    : requestDirectory_(std::move(requestDirectory)),
      responseDirectory_(std::move(responseDirectory)),
      behaviour_(std::move(behaviour)),
      wallClock_([] { return std::time(nullptr); }) {
    showActivity();
}

TefManager::~TefManager() {
    std::error_code ignored;
    std::filesystem::remove(file("Ativo.001"), ignored);
}

void TefManager::setBehaviour(Behaviour behaviour) {
    behaviour_ = std::move(behaviour);
    showActivity();
}

std::filesystem::path TefManager::file(const char* name) const {
    return responseDirectory_ / name;
}

void TefManager::showActivity() {
    std::error_code ignored;
    if (!behaviour_.absent && behaviour_.showActivity)
        writeWhole(file("Ativo.001"), "");
    else
        std::filesystem::remove(file("Ativo.001"), ignored);
}

std::vector<std::string> TefManager::serve(std::uint64_t nowMs) {
    std::vector<std::string> done;
    if (behaviour_.absent) return done;
    if (scheduled_ && nowMs >= scheduled_->dueMs &&
        !(scheduled_->afterStaleGone && std::filesystem::exists(file("IntPos.001")))) {
        writeWhole(file("IntPos.001"), scheduled_->text);
        scheduled_.reset();
        done.push_back("response written");
    }
    const std::filesystem::path requestFile = requestDirectory_ / "IntPos.001";
    if (auto request = takeRequest(requestFile)) {
        std::error_code ignored;
        std::filesystem::remove(requestFile, ignored);
        requests_.push_back(*request);
        done.push_back(handle(*request, nowMs));
    }
    return done;
}

std::string TefManager::handle(const Request& request, std::uint64_t nowMs) {
    const std::string operation = request.operation();
    std::string identification = request.identification();
    if (behaviour_.wrongIdentification)
        identification = std::to_string(numberOf(identification) + 1);
    writeWhole(file("IntPos.sts"),
               fileText({{"000-000", operation}, {"001-000", identification}, {"999-999", "0"}}));
    const std::string what = operation + " " + request.identification();
    if (operation == "CNF") settle(request, TransactionState::Confirmed);
    if (operation == "NCN") settle(request, TransactionState::Undone);
    if (operation != "CRT" && operation != "CHQ" && operation != "ADM" && operation != "CNC")
        return what + ": acknowledged";
    if (behaviour_.neverAnswer) return what + ": acknowledged, no answer coming";

    std::string text = operation == "ADM"   ? answerReport(request)
                       : operation == "CNC" ? answerCancellation(request)
                                            : answerSale(request);
    if (behaviour_.wrongIdentification) {
        // The answer names the identification the acknowledgement gave.
        const std::string line = "001-000 = " + request.identification() + "\r\n";
        if (const auto at = text.find(line); at != std::string::npos)
            text.replace(at, line.size(), "001-000 = " + identification + "\r\n");
    }
    if (behaviour_.staleResponse) {
        writeWhole(file("IntPos.001"),
                   plainAnswer(
                       opening(operation, std::to_string(numberOf(request.identification()) + 1000),
                               behaviour_.network, request),
                       kStatusApproved, behaviour_.network, "Transacao aprovada"));
    }
    scheduled_ = Scheduled{text, nowMs + behaviour_.answerDelayMs, behaviour_.staleResponse};
    return what + ": acknowledged, answer coming";
}

std::string TefManager::answerSale(const Request& request) {
    const std::string operation = request.operation();
    const bool cheque = operation == "CHQ";
    const std::string network = cheque ? std::string("TECBAN") : behaviour_.network;
    Fields fields = opening(operation, request.identification(), network, request);
    const auto done = std::find_if(transactions_.begin(), transactions_.end(), [&](const auto& t) {
        return t.identification == request.identification() &&
               t.state == TransactionState::Confirmed;
    });
    if (done != transactions_.end())
        return plainAnswer(fields, kStatusDuplicate, network, "Transacao ja efetuada..");
    if (behaviour_.operatorCancels)
        return plainAnswer(fields, kStatusCancelled, network, "Cancelada pelo operador");
    if (behaviour_.refuse || declinedAmount(request.field("003")))
        return plainAnswer(fields, kStatusRefused, network, "Transacao nao autorizada");

    Transaction t{
        operation, request.identification(), request.field("002"),     request.field("003"),
        network,   sixDigits(nextNsu_++),    TransactionState::Pending};
    transactions_.push_back(t);
    fields.push_back({"009-000", kStatusApproved});
    fields.push_back({"010-000", network});
    fields.push_back({"012-000", t.nsu});
    fields.push_back({"022-000", dateText()});
    fields.push_back({"023-000", timeText()});
    fields.push_back({"027-000", "CTRL" + t.nsu + t.identification});
    if (cheque) {
        fields.push_back({"028-000", "0"});
        return closing(std::move(fields), "Cheque aprovado");
    }
    const std::string when = dateText();
    addVoucher(fields,
               {"       COMPROVANTE DE VENDA", network, "ESTAB 1020304050  TERMINAL 07",
                "CARTAO ************4321", "DOC " + t.document + "  NSU " + t.nsu,
                when.substr(0, 2) + "/" + when.substr(2, 2) + "/" + when.substr(4) + " " +
                    timeText().substr(0, 2) + ":" + timeText().substr(2, 2),
                "VALOR APROVADO " + money(t.amount), "", "RECONHECO E PAGAREI A QUANTIA ACIMA", "",
                "______________________________", "ASSINATURA DO CLIENTE"});
    return closing(std::move(fields), "Transacao aprovada");
}

std::string TefManager::answerCancellation(const Request& request) {
    const std::string network = request.field("010");
    Fields fields = opening("CNC", request.identification(), network, request);
    const auto sale = std::find_if(transactions_.begin(), transactions_.end(), [&](const auto& t) {
        return t.nsu == request.field("012") && t.network == network &&
               t.state == TransactionState::Confirmed;
    });
    if (sale == transactions_.end())
        return plainAnswer(fields, kStatusRefused, network, "Transacao nao encontrada");
    sale->state = TransactionState::Cancelled;
    const std::string nsu = sixDigits(nextNsu_++);
    fields.push_back({"009-000", kStatusApproved});
    fields.push_back({"010-000", network});
    fields.push_back({"012-000", nsu});
    fields.push_back({"022-000", dateText()});
    fields.push_back({"023-000", timeText()});
    fields.push_back({"027-000", "CTRL" + nsu + request.identification()});
    addVoucher(fields, {"    COMPROVANTE DE CANCELAMENTO", network, "NSU ORIGINAL " + sale->nsu,
                        "NSU CANCELAMENTO " + nsu, "VALOR CANCELADO " + money(sale->amount)});
    return closing(std::move(fields), "Cancelamento aprovado");
}

std::string TefManager::answerReport(const Request& request) {
    Fields fields = {{"000-000", "ADM"}, {"001-000", request.identification()}};
    fields.push_back({"009-000", kStatusApproved});
    fields.push_back({"010-000", behaviour_.network});
    std::vector<std::string> lines = {"      RESUMO DE TRANSACOES", behaviour_.network};
    long long confirmed = 0;
    for (const Transaction& t : transactions_) {
        lines.push_back(t.operation + " NSU " + t.nsu + " " + money(t.amount) + " " +
                        stateName(t.state));
        if (t.state == TransactionState::Confirmed) confirmed += numberOf(t.amount);
    }
    lines.push_back("TOTAL CONFIRMADO " + money(std::to_string(confirmed)));
    addVoucher(fields, lines);
    return closing(std::move(fields), "Relatorio emitido");
}

void TefManager::settle(const Request& request, TransactionState state) {
    for (Transaction& t : transactions_)
        if (t.nsu == request.field("012") && t.state == TransactionState::Pending) t.state = state;
}

std::string TefManager::dateText() const {
    const std::time_t now = wallClock_();
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%d%m%Y", &parts);
    return text;
}

std::string TefManager::timeText() const {
    const std::time_t now = wallClock_();
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%H%M%S", &parts);
    return text;
}

}  // namespace quelfi::sim::tef
