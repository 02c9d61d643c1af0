// The Sintegra report: the company's fields checked, the month's journal downloaded (or a file
// downloaded before), and the formatter module's QuelGeraSintegra making the registers.
#include <cstdlib>

#include "core/port_connection.h"
#include "fiscal/argument_format.h"
#include "mfd/document_fields.h"
#include "mfd/formatted_data.h"
#include "mfd/formatter_module.h"
#include "mfd/journal_download.h"
#include "platform/platform.h"
#include "protocol/call.h"

namespace quelfi::mfd {

using core::argText;

namespace {

constexpr const char* kDownloadFile = ".\\DOWNLOAD.MFD";

// One company field: its text as checked (digits only where asked) and its refusals.
struct Field {
    const char* value;
    bool required;
    bool digitsOnly;
    std::size_t most;   // longest; 0: no limit of its own
    std::size_t exact;  // the one length allowed; 0: any
    const char* absent;
    const char* invalid;
};

bool validMonth(const std::string& text) {
    const int month = std::atoi(text.c_str());
    return text.size() <= 2 && fiscal::keepDigits(text) == text && month >= 1 && month <= 12;
}

std::string fieldText(const Field& f) {
    return f.digitsOnly ? fiscal::keepDigits(argText(f.value)) : argText(f.value);
}

// The company's fields in the order they are checked; a refusal's text, or nothing.
std::optional<std::string> refusal(const SintegraCompany& c) {
    const Field fields[] = {
        {c.month, true, false, 0, 0, "M\xEAs n\xE3o informado", "Parametro invalido para o mes"},
        {c.year, true, false, 0, 4, "Ano n\xE3o informado", "Parametro inv\xE1lido para o ano"},
        {c.name, true, false, 35, 0, "Raz\xE3o social n\xE3o informada",
         "Raz\xE3o social maior que 35 caracters"},
        {c.address, true, false, 34, 0, "Endere\xE7o n\xE3o informado",
         "Endere\xE7o maoir que 34 caracteres"},
        {c.number, true, true, 5, 0, "N\xFAmero n\xE3o informado",
         "N\xFAmero maior que 5 caracteres"},
        {c.complement, false, false, 22, 0, "", "Complemento maior que 22 caracteres"},
        {c.district, false, false, 15, 0, "", "Bairro maior que 15 caracteres"},
        {c.city, true, false, 30, 0, "Cidade n\xE3o informada", "Cidade maior que 30 caracteres"},
        {c.cep, true, true, 0, 8, "CEP n\xE3o informado", "CEP maior que 8 caracteres"},
        {c.telephone, true, true, 12, 0, "Telefone n\xE3o informado",
         "Telefone maior que 12 caracteres"},
        {c.fax, false, true, 10, 0, "", "Fax maoir que 10 caracteres"},
        {c.contact, false, false, 28, 0, "", "Contato maior que 28 caracteres"},
    };
    for (const Field& f : fields) {
        const std::string text = fieldText(f);
        if (f.required && argText(f.value).empty()) return f.absent;
        if ((f.most && text.size() > f.most) || (f.exact && text.size() != f.exact))
            return f.invalid;
        if (f.value == c.month && !validMonth(text)) return f.invalid;
    }
    return std::nullopt;
}

protocol::Parameters companyParameters(const SintegraCompany& c) {
    return {argText(c.month),  argText(c.year),       argText(c.name),     argText(c.address),
            argText(c.number), argText(c.complement), argText(c.district), argText(c.city),
            argText(c.cep),    argText(c.telephone),  argText(c.fax),      argText(c.contact)};
}

// Hands the checked company and the source to QuelGeraSintegra.
int makeRegisters(SintegraEntry entry, int selector, const std::string& source,
                  const std::string& destination, const SintegraCompany& c) {
    const std::string from = platform::nativePath(source);
    const std::string to = platform::nativePath(destination);
    const std::string cep = fiscal::keepDigits(argText(c.cep));
    const std::string telephone = fiscal::keepDigits(argText(c.telephone));
    const std::string fax = fiscal::keepDigits(argText(c.fax));
    return entry(
        from.c_str(), to.c_str(), std::atoi(argText(c.year).c_str()),
        std::atoi(argText(c.month).c_str()), argText(c.name).c_str(), argText(c.address).c_str(),
        std::atoi(fiscal::keepDigits(argText(c.number)).c_str()), argText(c.complement).c_str(),
        argText(c.district).c_str(), cep.c_str(), argText(c.city).c_str(), telephone.c_str(),
        fax.c_str(), argText(c.contact).c_str(), selector);
}

// The common steps of both exports: checks, the network step, the module and its entry point;
// then `produce` with the entry point. The module is released before the closing line.
template <typename Produce>
int runSintegra(const protocol::Call& call, int selector, protocol::Parameters files,
                const std::optional<std::string>& fileRefusal, const SintegraCompany& company,
                Produce&& produce) {
    protocol::Parameters record = {std::to_string(selector)};
    record.insert(record.end(), files.begin(), files.end());
    const protocol::Parameters fields = companyParameters(company);
    record.insert(record.end(), fields.begin(), fields.end());
    std::string logged;
    for (const std::string& p : record) logged += p + "|";
    call.logRecord(logged);
    if (selector < 0)
        return call.fail(
            -2, "Valor do par\xE2metro relat\xF3rio menor que zero " + std::to_string(selector));
    if (fileRefusal) return call.fail(-2, *fileRefusal);
    if (const std::optional<std::string> refused = refusal(company)) return call.fail(-2, *refused);
    if (auto forwarded = call.handOver(record)) return *forwarded;

    std::unique_ptr<platform::LoadedModule> module = loadFormatter();
    if (!module) return call.fail(-1, "Dll QuelMFD n\xE3o encontrada");
    const auto entry = entryOf<SintegraEntry>(*module, "QuelGeraSintegra");
    if (!entry) return call.fail(-1, "Funcao QuelGeraSintegra n\xE3o encontrada na dll QuelMFD");
    std::optional<int> failed;
    const int result = produce(entry, failed);
    module.reset();
    if (failed) return *failed;
    if (result == 0) {
        call.finish(1);
        return 1;
    }
    return call.fail(-1, "a funcao GeraRelatorio retornou " + std::to_string(result));
}

}  // namespace

int sintegraReport(const protocol::Road& road, int selector, const char* file,
                   const SintegraCompany& company) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_RelatorioSintegraMFD"));
    std::optional<std::string> fileRefusal;
    if (argText(file).empty()) fileRefusal = "Nome do arquivo n\xE3o informado";
    return runSintegra(
        call, selector, {argText(file)}, fileRefusal, company,
        [&](SintegraEntry entry, std::optional<int>& failed) {
            // From the first of the month to the first of the next, as the printer counts days.
            const int month = std::atoi(argText(company.month).c_str());
            const int year = std::atoi(argText(company.year).c_str());
            const auto twoDigits = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
            const std::string start = "01" + twoDigits(month) + std::to_string(year);
            const std::string end = month == 12
                                        ? "0101" + std::to_string(year + 1)
                                        : "01" + twoDigits(month + 1) + std::to_string(year);
            const int downloaded = downloadJournalByDate(kDownloadFile, start.c_str(), end.c_str());
            if (downloaded != 1) {
                failed = call.fail(-1, "a funcao Quelmar_FI_DownloadMFDPorData retornou " +
                                           std::to_string(downloaded));
                platform::removeFile(kDownloadFile);
                return -1;
            }
            const int made = makeRegisters(entry, selector, kDownloadFile, argText(file), company);
            platform::removeFile(kDownloadFile);
            return made;
        });
}

int sintegraFromFile(const protocol::Road& road, int selector, const char* source,
                     const char* destination, const SintegraCompany& company) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_GeraRelatorioSintegraMFD"));
    std::optional<std::string> fileRefusal;
    if (argText(source).empty())
        fileRefusal = "Nome do arquivo origem n\xE3o informado";
    else if (argText(destination).empty())
        fileRefusal = "Nome do arquivo destino n\xE3o informado";
    return runSintegra(call, selector, {argText(source), argText(destination)}, fileRefusal,
                       company, [&](SintegraEntry entry, std::optional<int>&) {
                           return makeRegisters(entry, selector, argText(source),
                                                argText(destination), company);
                       });
}

}  // namespace quelfi::mfd
