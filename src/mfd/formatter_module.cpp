#include "mfd/formatter_module.h"

#include "core/printer_state.h"

namespace quelfi::mfd {

std::unique_ptr<platform::LoadedModule> loadFormatter() {
    return core::state().platform->loadModule(kFormatterModule);
}

}  // namespace quelfi::mfd
