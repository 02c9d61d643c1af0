// Serves a device on a pseudo-terminal, so a program (the library, with its real termios code)
// opens the device path as if it were a serial port. A background thread carries the bytes;
// a pause of more than a few tens of milliseconds counts as the line falling quiet. A device that
// asks for it is paced at the rate the host set on the line, byte by byte or answer by answer.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "sim/byte_device.h"

namespace quelfi::sim {

class PtyServer {
  public:
    // Opens the pair and starts serving; std::runtime_error when no pseudo-terminal is available.
    explicit PtyServer(ByteDevice& device);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // The device side's path (/dev/pts/N), what the serial-port code opens.
    const std::string& devicePath() const { return devicePath_; }

    // Makes `link` (for example "$QUELFI_PORT_DIR/COM1") a symbolic link to the device; the link
    // is removed when the server stops.
    void linkAs(const std::string& link);

    // Stops serving and waits for the thread; also done by the destructor.
    void stop();

  private:
    void serve();
    // One byte at a time at the line's rate, as a slow device puts its answer on the line.
    void writePaced(const std::string& bytes, const LineShape& shape);

    ByteDevice& device_;
    int controller_ = -1;
    int deviceHold_ = -1;  // keeps the device side open so the controller never sees a hang-up
    int wake_[2] = {-1, -1};
    std::string devicePath_;
    std::string link_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace quelfi::sim
