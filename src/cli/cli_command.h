// Sub-commands of quorva-cli. Each command lives in its own cmd_*.cpp file and registers
// itself with a static CliCommand object; main() dispatches on the first argument.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorva::cli {

// Runs one command with the arguments that follow its name. Writes its JSON answer to
// stdout and returns the process exit code (0 on success; on failure a message on stderr).
using CommandFn = std::function<int(const std::vector<std::string>& args)>;

struct CliCommand {
    CliCommand(std::string name, std::string usage, CommandFn fn);
};

struct RegisteredCommand {
    std::string name;
    std::string usage;
    CommandFn fn;
};

std::vector<RegisteredCommand>& Commands();

}  // namespace quorva::cli
