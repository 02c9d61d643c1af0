// The library with the virtual printer on COM1 and the virtual TEF manager on two directories,
// both on the virtual clock: the manager does its work while the library sleeps in its waits.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fault_fixture.h"
#include "quelfi32.h"
#include "sim/tef/tef_manager.h"

namespace quelfi::test {

// Prompts by text and style.
using Prompts = std::vector<std::pair<std::string, platform::PromptStyle>>;

// The command that prints a line of the bound receipt.
constexpr char kVoucherLine = 'C';

class TefTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort(
            "COM1", [this] { return std::make_unique<ArmingPort>(line.connection(), armed); });
        std::filesystem::create_directories(requests());
        std::filesystem::create_directories(responses());
        manager = std::make_unique<sim::tef::TefManager>(requests(), responses());
        // 15/06/2026 10:05:00, whatever the machine's zone.
        manager->setWallClock([] {
            std::tm t{};
            t.tm_year = 126, t.tm_mon = 5, t.tm_mday = 15, t.tm_hour = 10, t.tm_min = 5;
            t.tm_isdst = -1;
            return std::mktime(&t);
        });
        platform.duringSleep = [this] { manager->serve(platform.tickCount()); };
        configure();
    }
    // The INI with these keys in Sistema (and after), and the TEF section.
    void configure(const std::string& keys = "") { configure(keys, tefSection() + "VIAS=2\n"); }
    void configure(const std::string& keys, const std::string& tef) {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n" + keys + tef);
        load();
    }
    std::string tefSection() const {
        return "[TEF]\nREQ=" + requests() + "\nRESP=" + responses() + "\n";
    }
    void behave(const std::function<void(sim::tef::Behaviour&)>& change) {
        sim::tef::Behaviour b = manager->behaviour();
        change(b);
        manager->setBehaviour(b);
    }

    std::string requests() const { return root() + "/tef/req"; }
    std::string responses() const { return root() + "/tef/resp"; }
    std::string tefKey(const std::string& key) const {
        return platform::readProfileString(systemDir() + "/QuelFI32.ini", "TEF", key).value_or("");
    }
    Prompts prompts() const {
        Prompts shown;
        for (const auto& p : platform.prompts) shown.emplace_back(p.text, p.style);
        return shown;
    }
    // Runs `watch` before every frame of a voucher line, until `armed` is cleared.
    void watchVoucherLines(std::function<void()> watch) {
        armed = {kVoucherLine, [this, watch] {
                     watch();
                     watchVoucherLines(watch);
                 }};
    }
    // The request texts the manager took, in order.
    std::vector<std::string> requestTexts() const {
        std::vector<std::string> texts;
        for (const auto& request : manager->requests()) texts.push_back(request.text);
        return texts;
    }
    // Which of the request, response, status and voucher files are still there.
    std::vector<std::string> residues() const {
        std::vector<std::string> left;
        for (const std::string& file : {requests() + "/IntPos.001", responses() + "/IntPos.001",
                                        responses() + "/IntPos.sts", responses() + "/Imprime.txt"})
            if (fileExists(file)) left.push_back(file.substr(root().size() + 1));
        return left;
    }
    // A coupon of one item, closing started and paid by card.
    void couponPaidByCard(const char* amount = "40,00") {
        ASSERT_EQ(Quelmar_FI_AbreCupom(""), 1);
        ASSERT_EQ(Quelmar_FI_VendeItem("1", "CAFE", "18,00", "I", "1", 2, amount, "$", "0,00"), 1);
        ASSERT_EQ(Quelmar_FI_IniciaFechamentoCupom("D", "$", "0,00"), 1);
        ASSERT_EQ(Quelmar_FI_EfetuaFormaPagamento("Cartao", amount), 1);
    }
    // The paper printed after the first `from` lines.
    std::vector<std::string> paperSince(std::size_t from) const {
        const std::vector<std::string> all = printer.paper().lines();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
    }

    mutable sim::QuelmarPrinter printer{sim::modelFromSeed(
        "coo=1234; rates=18.00; payments=Dinheiro,Cartao/V; clock=15/06/2026 10:00:00")};
    sim::InProcessPort line{printer, platform};
    ArmedFault armed;
    std::unique_ptr<sim::tef::TefManager> manager;
};

}  // namespace quelfi::test
