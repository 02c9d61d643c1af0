// Process-wide objects of the library that the runtime never destroys. When a process exits,
// the C++ runtime destroys static objects before the shared library's unload step runs, and the
// unload step still needs them; their storage goes away with the library itself.
#pragma once

#include <new>
#include <utility>

namespace quelfi::platform {

template <typename T>
class NeverDestroyed {
  public:
    template <typename... Args>
    explicit NeverDestroyed(Args&&... args) {
        ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
    }
    NeverDestroyed(const NeverDestroyed&) = delete;
    NeverDestroyed& operator=(const NeverDestroyed&) = delete;

    T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

  private:
    alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace quelfi::platform
