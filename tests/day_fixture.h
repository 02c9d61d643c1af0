// A library talking to a scripted printer on COM1, for the day operations: the commands each
// frame carried, the canned replies of the queries the day's exports ask, and the INI they write.
#pragma once

#include <string>
#include <vector>

#include "query_fixture.h"

namespace quelfi::test {

inline const std::string kOk = bytes({6, 0, 0});

// The status request's reply and the fiscal-flags reply that completes it (no coupon open).
inline void replyStatus(ScriptedLine& line) {
    line.reply(kOk);
    line.reply(bytes({6, 0, 0, 0}));
}

// The log lines of that nested status request.
inline std::vector<std::string> statusLines() {
    return {kSep,
            "Quelmar_FI_VerificaEstadoImpressora ",
            kSep,
            "Quelmar_FI_FlagsFiscais ",
            "Retorno impressora: 000",
            "Retorno Quelmar_FI_FlagsFiscais: 1",
            "Retorno impressora: 6,0,0",
            "Retorno Quelmar_FI_VerificaEstadoImpresora: 1"};
}

// The last reduction's 616 digits: the automatic mark, the grand total given, zeros.
inline std::string lastReductionDigits(const std::string& grandTotal) {
    return "00" + grandTotal + std::string(596, '0');
}

inline std::string lastReductionReply(const std::string& grandTotal) {
    return dataReply(bcd(lastReductionDigits(grandTotal)));
}

// The same digits as the query answers them: 16 fields separated by ",".
inline std::string lastReductionAnswer(const std::string& grandTotal) {
    const std::string digits = lastReductionDigits(grandTotal);
    std::string out;
    std::size_t at = 0;
    for (std::size_t width : {2, 18, 14, 14, 64, 266, 14, 14, 126, 36, 6, 6, 2, 6, 14, 14}) {
        if (at) out += ",";
        out += digits.substr(at, width);
        at += width;
    }
    return out;
}

inline std::string grandTotalReply(const std::string& grandTotal) {
    return dataReply(bcd(grandTotal));
}

class DayCommandTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure();
        ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
        clearLog();
    }
    void configure(const std::string& keys = "") {
        iniText_ = "[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n" + keys;
        writeIni(iniText_);
        load();
        clearLog();
    }
    void clearLog() { std::filesystem::remove(workDir() + "/QuelFI32.log"); }
    // The INI as configured, and as it is now.
    const std::string& configuredIni() const { return iniText_; }
    std::string ini() const { return readFile(systemDir() + "/QuelFI32.ini"); }

    // The command bytes of every frame written since the last call.
    std::vector<std::string> commands() {
        std::vector<std::string> out;
        const std::string& w = line->written;
        while (consumed_ + 3 <= w.size()) {
            const std::size_t total = static_cast<unsigned char>(w[consumed_ + 1]) +
                                      256u * static_cast<unsigned char>(w[consumed_ + 2]);
            out.push_back(w.substr(consumed_ + 3, total - 2));
            consumed_ += 3 + total;
        }
        return out;
    }

  private:
    std::string iniText_;
    std::size_t consumed_ = 0;
};

// A sequence of log lines followed by more.
inline std::vector<std::string> operator+(std::vector<std::string> lines,
                                          const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// logLines of a vector.
inline std::string logOf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += logLines({line});
    return out;
}

}  // namespace quelfi::test
