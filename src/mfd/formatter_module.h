// The formatter module (QuelMFD.dll, libquelmfd.so on POSIX): loaded for each call that needs it
// and released before the call returns, its entry points looked up by name.
#pragma once

#include <memory>
#include <string>

#include "core/export_call.h"
#include "platform/platform.h"
#include "quelfi32.h"

namespace quelfi::mfd {

inline constexpr const char* kFormatterModule = "QuelMFD.dll";

using TotalEntry = int(QUELFI_CALL*)(const char* source, const char* destination);
using ByDateEntry = int(QUELFI_CALL*)(const char* source, const char* destination,
                                      const char* startDate, const char* endDate);
using ByCooEntry = int(QUELFI_CALL*)(const char* source, const char* destination, int user,
                                     int startCoo, int endCoo);
using SintegraEntry = int(QUELFI_CALL*)(const char* source, const char* destination, int year,
                                        int month, const char* company, const char* address,
                                        int number, const char* complement, const char* district,
                                        const char* cep, const char* city, const char* telephone,
                                        const char* fax, const char* contact, int selector);

// The module, or null when it is nowhere to be found.
std::unique_ptr<platform::LoadedModule> loadFormatter();

template <typename Entry>
Entry entryOf(platform::LoadedModule& module, const std::string& name) {
    return reinterpret_cast<Entry>(module.entry(name));
}

}  // namespace quelfi::mfd
