// What "quelfi sim" is asked for on its command line, and the printer it starts with: the state
// kept by the last run (unless a fresh printer is asked for), then the machine options and the
// seed applied over it. With --yanco it is the virtual Yanco printer, with its own state file and
// seed notation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/quelmar/fiscal_model.h"
#include "sim/scales/virtual_scale.h"
#include "sim/yanco/model.h"

namespace quelfi::tool {

struct SimSettings {
    std::string stateFile;           // where the fiscal state is kept between runs
    bool fresh = false;              // start from a new printer, ignoring the state file
    std::string seed;                // the machine options and --seed, in the seed notation
    std::string paperFile;           // "" keeps the paper in memory
    std::string portDirectory;       // where COM1 is linked
    bool emulator = false;           // the emulator files instead of a pseudo-terminal
    bool quiet = false;              // the paper is not shown on standard output
    bool yanco = false;              // the Yanco printer instead of the Quelmar one
    int scaleModel = 0;              // 1 or 2: a virtual scale served too; 0: none
    std::string scalePort = "COM2";  // its name in the port directory
    sim::PlateReading scaleReading;  // what lies on it at the start
};

extern const char* const kSimUsage;

// The settings from the arguments, with the defaults filled in; null with `error` set when an
// argument is wrong.
std::optional<SimSettings> parseSimSettings(const std::vector<std::string>& args,
                                            std::string& error);

// The printer to serve; null with `error` set when the state file or the seed cannot be read
// (a state file that cannot be read is never overwritten).
std::optional<sim::FiscalModel> startingModel(const SimSettings& settings, std::string& error);
std::optional<sim::yanco::Model> startingYancoModel(const SimSettings& settings,
                                                    std::string& error);

}  // namespace quelfi::tool
