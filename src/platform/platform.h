// The operating system as the library sees it. One object holds the services that tests need to
// replace (clock, sleep, opening a device, operator prompts); the rest are free functions below,
// implemented once per operating system under posix/ and win32/.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "platform/port.h"
#include "platform/serial_line.h"

namespace quelfi::platform {

// A message box's look, by the style value the Windows message box takes: an error or warning
// with the exclamation icon, a yes/no question with the same icon, a notice with the information
// icon.
enum class PromptStyle : unsigned { Exclamation = 0x30, YesNoQuestion = 0x34, Information = 0x40 };

// A day of the calendar: year with four digits, month 1-12, day 1-31.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
enum class PromptAnswer { Ok, Yes, No };

// Why an emulator-file opening failed: which of the two files, and the system error.
struct EmulatorOpenError {
    bool replyFile = false;
    int systemError = 0;
};

// An entry point of a module, to be cast to its own type before the call.
using ModuleEntry = void (*)();

// A module loaded at run time; released when destroyed.
class LoadedModule {
  public:
    virtual ~LoadedModule() = default;
    // The entry point called `name`, or null when the module has none.
    virtual ModuleEntry entry(const std::string& name) = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Milliseconds from a monotonic clock, wrapping at 2^32 like the Windows tick counter.
    virtual std::uint32_t tickCount();
    virtual void sleep(std::uint32_t milliseconds);
    // Today in the machine's local time zone.
    virtual CalendarDate localDate();

    // Opens a serial device by the name the configuration gives ("COM3", "/dev/ttyUSB0") with the
    // printer's line settings. On failure returns null and sets `systemError`.
    virtual std::unique_ptr<Port> openSerialPort(const std::string& name, int& systemError);

    // Opens a serial device by the same names with settings of its own (a scale, the journal
    // download): raw, exclusive, the modem lines the device has set as asked. On failure returns
    // null and sets `systemError`.
    virtual std::unique_ptr<SerialLine> openSerialLine(const std::string& name,
                                                       const LineSettings& settings,
                                                       int& systemError);

    // Opens the emulator's command and reply files (library path syntax).
    virtual std::unique_ptr<Port> openEmulatorFiles(const std::string& commandFile,
                                                    const std::string& replyFile,
                                                    EmulatorOpenError& error);

    // Loads a module shipped beside the library (its Windows name, "QuelMFD.dll"), looked for in
    // the library's own directory, the program's directory and the system directory, never in
    // the current directory, where a shop's files are written. Null when none has it.
    virtual std::unique_ptr<LoadedModule> loadModule(const std::string& windowsName);

    // A message for the operator. A headless process is never blocked by it.
    virtual PromptAnswer prompt(const std::string& caption, const std::string& text,
                                PromptStyle style);

    // Whether the named system event (the emulator's presence mark) exists.
    virtual bool namedEventExists(const std::string& name);

    // A message that shows for a few seconds without holding the caller: it goes away by itself.
    virtual void showTransientMessage(const std::string& text);

    // Blocks (true) or unblocks keyboard and mouse input for the whole desktop. False when the
    // system offers no such function; then the caller disables its own window instead.
    virtual bool blockInput(bool block);
    // Disables the active window of the calling process and names it (0 when there is none), so
    // that enableWindow can give it back.
    virtual std::uintptr_t disableActiveWindow();
    // Drops the input a disabled window collected meanwhile, enables and repaints it.
    virtual void enableWindow(std::uintptr_t window);
};

// The operating system's own services.
Platform& systemPlatform();

// The system directory where the configuration file lives, without a final separator.
std::string systemDirectory();

// Turns a path as the library writes it ("c:\\comando.dat", "dir\\Status.txt") into one the
// file system takes.
std::string nativePath(const std::string& libraryPath);

// Profile (INI) files, with the Windows profile semantics: names compared without regard to case,
// blanks around the value and one pair of enclosing quotes removed, comments on lines starting
// with ';'. A write replaces the value in place and never leaves a half-written file.
std::optional<std::string> readProfileString(const std::string& file, const std::string& section,
                                             const std::string& key);
bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

// Whole-file operations on library paths; every one reports failure instead of throwing.
bool appendToFile(const std::string& path, const std::string& bytes);
bool replaceFile(const std::string& path, const std::string& bytes);
bool removeFile(const std::string& path);
std::optional<std::string> readWholeFile(const std::string& path);
std::FILE* openFile(const std::string& path, const char* mode);

// The library's own build version as "%u,%u,%u,%u".
std::string libraryVersion();

}  // namespace quelfi::platform
