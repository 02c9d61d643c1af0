// A virtual Yanco printer driven through raw frames, as a host would: each command is framed,
// sent on the printer's line, and its reply taken apart by position.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/yanco/model_text.h"
#include "sim/yanco/printer_link.h"
#include "support/yanco_frames.h"

namespace quelfi::test {

class YancoSimTest : public ::testing::Test {
  protected:
    // The clock stands at 06/12/2026 10:00:00 unless the seed moves it.
    void start(const std::string& seed = "") {
        printer = std::make_unique<sim::yanco::Printer>(
            sim::yanco::modelFromSeed("clock=06/12/2026 10:00:00;" + seed));
        link = std::make_unique<sim::yanco::PrinterLink>(*printer);
    }

    // The whole reply to a command.
    std::string reply(std::string_view command) {
        return link->receive(yancoFrame("4321", command));
    }
    // The status a command is answered with, as positions 8-9 carry it.
    std::string status(std::string_view command) {
        const std::string r = reply(command);
        return r.size() > 10 ? r.substr(8, 2) : "no frame";
    }
    // The data of a one-frame reply: from position `at` up to the byte before ETX.
    std::string data(std::string_view command, std::size_t at = 10) {
        const std::string r = reply(command);
        return r.size() >= at + 3 ? r.substr(at, r.size() - at - 3) : "no frame";
    }

    // A text field as the host sends it: left-aligned in blanks.
    static std::string padded(std::string_view text, std::size_t width) {
        std::string out(text);
        out.resize(width, ' ');
        return out;
    }
    // "14": code, description, unit price (9 digits, three decimals), quantity (7, three
    // decimals), the slot and the decimals flag.
    static std::string item(std::string_view code, std::string_view description,
                            std::string_view price, std::string_view quantity,
                            std::string_view slot, char decimals = '0') {
        return "14" + std::string(13 - code.size(), '0') + std::string(code) +
               padded(description, 30) + std::string(price) + std::string(quantity) +
               "000000000000" + std::string(slot) + decimals;
    }

    static inline const std::string kBlanks13 = std::string(13, ' ');
    static inline const std::string kOpenDay = "121" + kBlanks13;
    static inline const std::string kReduction = "221" + kBlanks13;
    static inline const std::string kXReading = "241" + kBlanks13;

    std::unique_ptr<sim::yanco::Printer> printer;
    std::unique_ptr<sim::yanco::PrinterLink> link;
};

}  // namespace quelfi::test
