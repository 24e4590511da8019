// The vsthost commands; each takes the arguments after its name and returns the process exit code.
#pragma once

#include <string>
#include <vector>

int runInfo(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);
int runBench(const std::vector<std::string>& args);
int runCompare(const std::vector<std::string>& args);
int runEdit(const std::vector<std::string>& args);
int runValidate(const std::vector<std::string>& args);
int runLeaks(const std::vector<std::string>& args);
