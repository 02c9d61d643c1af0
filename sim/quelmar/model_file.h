// The printer's state kept in a file between runs, in the settings notation of model_text.h.
#pragma once

#include <optional>
#include <string>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim {

// Writes the whole state; the file is replaced at once, never left half-written.
bool saveModel(const FiscalModel& model, const std::string& path);

// Reads a state written by saveModel (or any seed). Null when the file cannot be read or a
// setting is wrong; `error` then says why.
std::optional<FiscalModel> loadModel(const std::string& path, std::string* error = nullptr);

}  // namespace quelfi::sim
