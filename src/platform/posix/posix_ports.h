// Private to the POSIX backend: the device openings behind Platform.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace quelfi::platform::posix {

std::uint32_t monotonicMs();
std::string serialDevicePath(const std::string& name);
std::unique_ptr<Port> openSerial(const std::string& name, int& systemError);
std::unique_ptr<SerialLine> openLine(const std::string& name, const LineSettings& settings,
                                     int& systemError);
std::unique_ptr<Port> openEmulator(const std::string& commandFile, const std::string& replyFile,
                                   EmulatorOpenError& error);

}  // namespace quelfi::platform::posix
