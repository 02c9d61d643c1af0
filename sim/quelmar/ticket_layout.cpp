#include "sim/quelmar/ticket_layout.h"

#include <cstdio>

#include "sim/quelmar/amount_words.h"
#include "sim/quelmar/code_page.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim::layout {
namespace {

std::string twoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value % 100);
    return buffer;
}

}  // namespace

std::vector<std::string> ticketOpening(const FiscalModel& model, int coo, const Journey& journey) {
    std::vector<std::string> lines = heading(model, coo, "BILHETE DE PASSAGEM");
    auto place = [&journey](const std::string& text) {
        const std::string utf8 = printerToUtf8(text);
        return journey.emphasised ? upperCase(utf8) : utf8;
    };
    lines.push_back("EMBARQUE: " + place(journey.boarding));
    lines.push_back("DESTINO: " + place(journey.destination));
    lines.push_back("LINHA: " + place(journey.route));
    const std::pair<const char*, const std::string*> optional[] = {
        {"PREFIXO: ", &journey.prefix},
        {"AGENTE: ", &journey.agent},
        {"AG\xC3\x8ANCIA: ", &journey.agency},
    };
    for (const auto& [label, text] : optional)
        if (!text->empty()) lines.push_back(label + printerToUtf8(*text));
    std::string when;
    if (journey.date)
        when = "DATA: " + twoDigits(journey.date->day) + "/" + twoDigits(journey.date->month) +
               "/" + twoDigits(journey.date->year);
    if (journey.time)
        when += std::string(when.empty() ? "" : "  ") + "HORA: " + twoDigits(journey.time->hour) +
                ":" + twoDigits(journey.time->minute) + ":" + twoDigits(journey.time->second);
    lines.push_back(spread(when, "POLTRONA: " + printerToUtf8(journey.seat)));
    if (!journey.platform.empty())
        lines.push_back("PLATAFORMA: " + printerToUtf8(journey.platform));
    for (auto& line : itemColumns()) lines.push_back(std::move(line));
    return lines;
}

}  // namespace quelfi::sim::layout
