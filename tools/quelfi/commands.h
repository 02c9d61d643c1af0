// The subcommands of the quelfi tool.
#pragma once

#include <string>
#include <vector>

namespace quelfi::tool {

int callCommand(const std::vector<std::string>& args);
int exportsCommand(const std::vector<std::string>& args);
int simCommand(const std::vector<std::string>& args);
int demoCommand(const std::vector<std::string>& args);
int configCommand(const std::vector<std::string>& args);
int driverCommand(const std::vector<std::string>& args);
int tefCommand(const std::vector<std::string>& args);

}  // namespace quelfi::tool
