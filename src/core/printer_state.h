// The one process-wide record of the library: configuration, connection, last reply and the
// per-call controls. Everything the library remembers between calls lives here and nowhere else.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace quelfi::core {

// Size of the decoded reply text; table answers fill most of it.
constexpr std::size_t kReplyBufferSize = 2970;

// Operations of upper layers that the connection code must reach without including them.
struct Seams {
    // The automatic search of COM1..COM8 run for the port name "DEFAULT"; returns the opening's
    // result. Unset, a "DEFAULT" port cannot be opened (-5).
    std::function<int()> searchPorts;
    // The Yanco printer's start of day, sent at the first opening when the Yanco model is
    // configured: returns false when the command could not be sent, else true with the reply's ST2.
    std::function<bool(int& st2)> yancoStartOfDay;
    // The fiscal-flags query used to complete ST1 with the coupon-open bit; returns the flags.
    std::function<int(int& flags)> fiscalFlags;
    // The electronic-journal status query used while a long command runs; returns its result
    // and leaves ST3 in the state.
    std::function<int()> extendedStatus;
    // The Yanco adapter's closing of an X or Z report, which Quelmar_FI_FechaRelatorioXouZ hands
    // over to whatever the configured model. Unset until the adapter is part of the library.
    std::function<int()> yancoReportClosing;
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

    // --- per-call controls ---
    int nestedCall = 0;
    int commandBusy = 0;
    int statusTimeout = 200;
    int replyAttempts = 20;
    int writeAttempts = 3;
    int probeMode = 0;
    bool longWaitActive = false;
    bool mfdPrinter = false;
    bool couponOpen = false;
    bool fastSaleMode = false;
    int rawCommandLength = 0;
    bool tableReplyMode = false;
    int tableReplyCommand = 0;
    bool leadingCountPending = false;
    bool wrapAnswerText = false;
    bool simplifiedReading = false;  // fiscal-memory readings in their short form ('i')
    std::FILE* answerFileHandle = nullptr;

    // --- the operating system and the seams to upper layers ---
    platform::Platform* platform = &platform::systemPlatform();
    Seams seams;
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
