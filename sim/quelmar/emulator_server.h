// Serves the printer in the emulator-file mode: the host writes each frame at the start of the
// command file "c:\comando.dat" (bytes of earlier, longer frames may remain after it) and reads
// the answer from the start of "c:\retorno.dat". While it runs the server holds the named
// semaphore by which the host sees that an emulator is present.
//
// After answering, the server empties the command file, so the next command is seen even when it
// is byte for byte the same as the last one, and so the frame's own length tells when it has
// been written completely.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "sim/quelmar/quelmar_printer.h"

namespace quelfi::sim {

class EmulatorServer {
  public:
    static constexpr const char* kPresenceName = "/EMULFITH";

    // Empties both files and starts serving; std::runtime_error when the files or the semaphore
    // cannot be created. Tests may give their own semaphore name so they do not meet other
    // processes.
    explicit EmulatorServer(QuelmarPrinter& printer, std::string presenceName = kPresenceName);
    ~EmulatorServer();
    EmulatorServer(const EmulatorServer&) = delete;
    EmulatorServer& operator=(const EmulatorServer&) = delete;

    const std::string& commandFile() const { return commandFile_; }
    const std::string& replyFile() const { return replyFile_; }

    // Stops serving and removes the semaphore; also done by the destructor.
    void stop();

  private:
    void serve();
    void answer(const std::string& reply);

    QuelmarPrinter& printer_;
    std::string presenceName_;
    std::string commandFile_;
    std::string replyFile_;
    void* semaphore_ = nullptr;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace quelfi::sim
