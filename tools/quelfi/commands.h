// The subcommands of the quelfi tool.
#pragma once

#include <string>
#include <vector>

namespace quelfi::tool {

int configCommand(const std::vector<std::string>& args);
int driverCommand(const std::vector<std::string>& args);

}  // namespace quelfi::tool
