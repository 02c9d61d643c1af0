#include "quelfi/sim_settings.h"

#include <cstdlib>
#include <filesystem>

#include "quelfi/scale_input.h"
#include "sim/quelmar/model_file.h"
#include "sim/quelmar/model_text.h"
#include "sim/yanco/model_text.h"

namespace quelfi::tool {

namespace fs = std::filesystem;

const char* const kSimUsage =
    "usage: quelfi sim [OPTIONS]\n"
    "  --state FILE      keep the printer's fiscal state in FILE between runs\n"
    "                    (default ~/.quelfi/printer.state)\n"
    "  --fresh           start from a new printer instead of the state file\n"
    "  --seed TEXT       settings applied at the start, e.g. \"rates=18.00,7.00/ISS; coo=1234\"\n"
    "  --mfd             the model with electronic journal\n"
    "  --type N          printer type, 1 to 8\n"
    "  --firmware V      firmware version, e.g. 01.03.00\n"
    "  --paper FILE      append the paper roll to FILE as it prints\n"
    "  --port-dir DIR    link COM1 to the printer there (default $QUELFI_PORT_DIR, else\n"
    "                    ~/.quelfi/ports)\n"
    "  --emulator        serve the emulator files (c:\\comando.dat, c:\\retorno.dat) instead\n"
    "  --quiet           do not show the paper as it prints\n"
    "  --yanco           the Yanco printer (default state ~/.quelfi/yanco.state; its seed\n"
    "                    notation is in sim/yanco/model_text.h; no --mfd, --type, --firmware\n"
    "                    or --emulator)\n"
    "  --scale 1|2       serve a virtual scale of that model too; a weight in kilos or a\n"
    "                    state (I unstable, N negative, S overloaded) typed on standard\n"
    "                    input changes what it reads\n"
    "  --scale-port NAME the scale's name in the port directory (default COM2)\n"
    "  --weight KG       what lies on the scale at the start, e.g. 2,000 (default 0)\n"
    "  --price R$        the price per kilo keyed into a model 2 scale, e.g. 12,90\n";

namespace {

// ~/.quelfi, or the working directory when there is no home.
fs::path toolHome() {
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) / ".quelfi" : fs::path(".quelfi");
}

}  // namespace

std::optional<SimSettings> parseSimSettings(const std::vector<std::string>& args,
                                            std::string& error) {
    SimSettings settings;
    std::string machine;
    std::string userSeed;
    std::string quelmarOnly;  // the first option the Yanco printer does not take
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool flag = option == "--fresh" || option == "--mfd" || option == "--emulator" ||
                          option == "--quiet" || option == "--yanco";
        if (!flag && i + 1 == args.size()) {
            error = option.rfind("--", 0) == 0 ? option + " needs a value"
                                               : "unexpected argument '" + option + "'";
            return std::nullopt;
        }
        const bool forQuelmar = option == "--mfd" || option == "--emulator" || option == "--type" ||
                                option == "--firmware";
        if (forQuelmar && quelmarOnly.empty()) quelmarOnly = option;
        if (option == "--fresh") {
            settings.fresh = true;
        } else if (option == "--mfd") {
            machine += "mfd=1;";
        } else if (option == "--emulator") {
            settings.emulator = true;
        } else if (option == "--quiet") {
            settings.quiet = true;
        } else if (option == "--yanco") {
            settings.yanco = true;
        } else if (option == "--state") {
            settings.stateFile = args[++i];
        } else if (option == "--seed") {
            userSeed += args[++i] + ";";
        } else if (option == "--type") {
            machine += "type=" + args[++i] + ";";
        } else if (option == "--firmware") {
            machine += "firmware=" + args[++i] + ";";
        } else if (option == "--paper") {
            settings.paperFile = args[++i];
        } else if (option == "--port-dir") {
            settings.portDirectory = args[++i];
        } else if (option == "--scale") {
            const std::string& model = args[++i];
            if (model != "1" && model != "2") {
                error = "--scale takes the model, 1 or 2, not '" + model + "'";
                return std::nullopt;
            }
            settings.scaleModel = model[0] - '0';
        } else if (option == "--scale-port") {
            settings.scalePort = args[++i];
            if (settings.scalePort.empty() || settings.scalePort.find('/') != std::string::npos ||
                settings.scalePort == "COM1") {
                error = "--scale-port takes a port name other than the printer's COM1, not '" +
                        settings.scalePort + "'";
                return std::nullopt;
            }
        } else if (option == "--weight" || option == "--price") {
            const std::string& text = args[++i];
            const std::optional<long> value =
                option == "--weight" ? gramsOf(text) : centavosOf(text);
            if (!value) {
                error = option + " takes " +
                        (option == "--weight" ? "kilos, e.g. 2,000" : "reais, e.g. 12,90") +
                        ", not '" + text + "'";
                return std::nullopt;
            }
            (option == "--weight" ? settings.scaleReading.grams
                                  : settings.scaleReading.pricePerKiloCentavos) = *value;
        } else {
            error = "unknown option '" + option + "'";
            return std::nullopt;
        }
    }
    if (settings.yanco && !quelmarOnly.empty()) {
        error = quelmarOnly + " is not an option of the Yanco printer";
        return std::nullopt;
    }
    settings.seed = machine + userSeed;
    if (settings.stateFile.empty())
        settings.stateFile =
            (toolHome() / (settings.yanco ? "yanco.state" : "printer.state")).string();
    if (settings.portDirectory.empty()) {
        const char* dir = std::getenv("QUELFI_PORT_DIR");
        settings.portDirectory = dir && *dir ? dir : (toolHome() / "ports").string();
    }
    // Shown to be copied into another shell's QUELFI_PORT_DIR: whole paths.
    settings.stateFile = fs::absolute(settings.stateFile).lexically_normal().string();
    settings.portDirectory = fs::absolute(settings.portDirectory).lexically_normal().string();
    return settings;
}

namespace {

// The kept state (unless a fresh printer is asked for) with the seed over it.
template <typename Model>
std::optional<Model> keptWithSeed(const SimSettings& settings, std::string& error,
                                  std::optional<Model> (*loadModel)(const std::string&,
                                                                    std::string*),
                                  std::optional<std::string> (*applySeed)(Model&,
                                                                          std::string_view)) {
    Model model;
    std::error_code ignored;
    if (!settings.fresh && fs::exists(settings.stateFile, ignored)) {
        std::optional<Model> kept = loadModel(settings.stateFile, &error);
        if (!kept) return std::nullopt;
        model = std::move(*kept);
    }
    if (auto problem = applySeed(model, settings.seed)) {
        error = "seed: " + *problem;
        return std::nullopt;
    }
    return model;
}

}  // namespace

std::optional<sim::FiscalModel> startingModel(const SimSettings& settings, std::string& error) {
    return keptWithSeed<sim::FiscalModel>(settings, error, sim::loadModel, sim::applySeed);
}

std::optional<sim::yanco::Model> startingYancoModel(const SimSettings& settings,
                                                    std::string& error) {
    return keptWithSeed<sim::yanco::Model>(settings, error, sim::yanco::loadModel,
                                           sim::yanco::applySeed);
}

}  // namespace quelfi::tool
