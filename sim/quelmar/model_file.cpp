#include "sim/quelmar/model_file.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim/quelmar/model_text.h"

namespace quelfi::sim {

bool saveModel(const FiscalModel& model, const std::string& path) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "# Quelmar virtual printer state\n" << modelText(model);
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

std::optional<FiscalModel> loadModel(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot read " + path;
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    FiscalModel model;
    if (auto problem = applySeed(model, text.str())) {
        if (error) *error = path + ": " + *problem;
        return std::nullopt;
    }
    return model;
}

}  // namespace quelfi::sim
