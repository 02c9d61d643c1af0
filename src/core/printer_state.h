// The one process-wide record of the library: configuration, connection, last reply and the
// per-call controls. Everything the library remembers between calls lives here and nowhere else.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace quelfi::core {

// Size of the decoded reply text; table answers fill most of it.
constexpr std::size_t kReplyBufferSize = 2970;

// The card-payment exchange with the TEF manager: where its files are, what the last response
// said, and the switches that live between two calls.
struct TefState {
    // Paths of the exchange files, built from section TEF of the INI on first use.
    std::string requestFile;   // REQ\IntPos.001
    std::string responseFile;  // RESP\IntPos.001
    std::string statusFile;    // RESP\IntPos.sts
    std::string voucherFile;   // RESP\Imprime.txt
    std::string activityFile;  // RESP\Ativo.001

    // Fields kept from the last response read, sent back in confirmations.
    std::string documentNumber;     // 002
    std::string network;            // 010
    std::string transactionNumber;  // 012
    std::string date;               // 022
    std::string time;               // 023
    std::string controlCode;        // 027

    bool adminRequest = false;          // an ADM request is pending: any identification answers it
    bool inputMode = false;             // input blocked (or the caller's window disabled)
    std::uintptr_t disabledWindow = 0;  // the window disabled when input could not be blocked
    // A voucher was abandoned while its bound receipt or management report may still be open;
    // the next coupon opening on the Yanco printer closes both first.
    bool pendingClose = false;
};

struct PrinterState {
    // --- configuration (read from the INI) ---
    std::string iniFilePath;
    bool useLocalIni = false;
    bool localIniLoaded = false;
    std::string statusFilePath = "Status.txt";
    std::string answerFilePath = "Retorno.txt";
    bool logEnabled = false;
    bool statusToFile = false;
    bool answerToFile = false;
    bool closeAfterCommand = false;
    bool statusInReturnCode = false;
    std::string printerModel = "QUELMAR";
    int networkMode = 0;
    bool drawerMode = false;
    bool emulatorMode = false;
    bool chequeStatusIbm = false;
    std::string portName;
    bool statusErroMode = false;
    int reductionTimeout = 180;
    int printerType = 0;
    std::string firmwareVersion;

    // --- printer tables cached for the process ---
    std::array<std::string, 16> taxRateTable;  // slot 1 first; hundredths of a percent, "" unset
    bool taxRateTableLoaded = false;           // never cleared once read
    bool type60StartRecorded = false;          // the day's first coupon was recorded in the INI
    // The Yanco printer's configuration answer, read once ("2E"): 13 rates of five characters
    // (four digits in hundredths of a percent, then the tax mark) and 30 payment forms of 15.
    std::array<std::string, 13> yancoTaxRates;
    bool yancoTaxRatesLoaded = false;  // never cleared once read
    std::array<std::string, 30> yancoPaymentForms;
    bool yancoPaymentFormsLoaded = false;  // never cleared once read

    // --- connection ---
    int requestedPort = 100;
    std::unique_ptr<platform::Port> port;  // serial line, or the emulator's two files
    int portOpen = 0;
    int lastOpenError = 0;
    bool dayOpenDone = false;

    // --- last reply ---
    int ack = 0;
    int st1 = 0;
    int st2 = 0;
    int st3 = 0;
    std::string replyBuffer;  // decoded data of the last reply (at most kReplyBufferSize - 1)
    int lastReturnCode = 1;
    // The Yanco printer's last reply as it came (its status number in st1), kept apart from the
    // ACK, ST1, ST2 above so that translating it twice gives the same answer.
    struct {
        int ack = 0;
        int st1 = 0;
        int st2 = 0;
    } yancoReply;

    // --- per-call controls (a command's own settings travel in its CommandSpec) ---
    int nestedCall = 0;
    int statusTimeout = 200;  // ready-polls of 100 ms for a command of busy class 0
    int replyAttempts = 20;
    int writeAttempts = 3;
    int probeMode = 0;  // 2000 while a long electronic-journal operation runs
    bool mfdPrinter = false;
    bool couponOpen = false;
    bool restaurantCouponCpf = false;  // the table's coupon was opened for a customer's CPF
    bool fastSaleMode = false;
    bool wrapAnswerText = false;
    bool simplifiedReading = false;  // fiscal-memory readings in their short form ('i')
    bool yancoReportOpen = false;    // the Yanco printer's management report was opened
    // The Yanco coupon's payments so far and the subtotal its closing read, in centavos: the end
    // of closing waits until the payments cover the subtotal.
    std::uint64_t yancoPaymentSum = 0;
    std::uint64_t yancoSubtotal = 0;
    std::FILE* answerFileHandle = nullptr;
    // The Spanish names' last call: the result of the export they forwarded to, and of the port
    // closing that followed it.
    int forwardedResult = 0;
    int forwardedCloseResult = 0;

    // --- barcodes: the look the journal printer's mechanism was last configured with ---
    int barcodeHeight = 162;      // bar height in dots, 1-255
    int barcodeWidth = 3;         // module-width code, 2-4
    int barcodeTextPosition = 2;  // human-readable text: 0 none, 1 above, 2 below, 3 both

    // --- card payments (TEF) ---
    TefState tef;

    // --- the operating system ---
    platform::Platform* platform = &platform::systemPlatform();
};

// The process's state.
PrinterState& state();

// Puts the state back as a freshly loaded library has it (closing any open port and answer
// file). Used by the unload step and by tests that need a clean process.
void resetState();

inline bool isYanco() {
    return state().printerModel == "YANCO";
}

}  // namespace quelfi::core
