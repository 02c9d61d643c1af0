// A virtual printer's state in a file, written only when it changed. The model's own saveModel
// (sim/quelmar/model_file.h, sim/yanco/model_text.h) writes it.
#pragma once

#include <mutex>
#include <optional>
#include <string>

namespace quelfi::tool {

template <typename Model>
class StateFile {
  public:
    explicit StateFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // Writes the state unless it is the one last written; false when the file could not be
    // written. Nothing to do without a path.
    bool keep(const Model& model) {
        if (path_.empty()) return true;
        std::lock_guard lock(mutex_);
        if (written_ && *written_ == model) return true;
        if (!saveModel(model, path_)) return false;
        written_ = model;
        return true;
    }

  private:
    std::string path_;
    std::mutex mutex_;
    std::optional<Model> written_;
};

}  // namespace quelfi::tool
