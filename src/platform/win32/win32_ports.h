// Private to the Windows backend: the device openings behind Platform.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace quelfi::platform::win32 {

// The name CreateFileA needs for a port: from COM10 on, "COMn" exists only in the device
// namespace ("\\.\COM10"); every other name is passed as written.
std::string serialDeviceName(const std::string& name);

std::unique_ptr<Port> openSerial(const std::string& name, int& systemError);
std::unique_ptr<SerialLine> openLine(const std::string& name, const LineSettings& settings,
                                     int& systemError);
std::unique_ptr<Port> openEmulator(const std::string& commandFile, const std::string& replyFile,
                                   EmulatorOpenError& error);

}  // namespace quelfi::platform::win32
