// quorva-cli: the viewer's logic on the command line, answering JSON.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "quorva_version.h"

namespace quorva::cli {

std::vector<RegisteredCommand>& Commands() {
    static std::vector<RegisteredCommand> commands;
    return commands;
}

CliCommand::CliCommand(std::string name, std::string usage, CommandFn fn) {
    Commands().push_back({std::move(name), std::move(usage), std::move(fn)});
}

}  // namespace quorva::cli

static void PrintUsage(std::FILE* to) {
    std::fprintf(to, "usage: quorva-cli COMMAND [ARGS...]\ncommands:\n");
    for (const auto& c : quorva::cli::Commands())
        std::fprintf(to, "  %s %s\n", c.name.c_str(), c.usage.c_str());
    std::fprintf(to,
                 "Answers are JSON on stdout. Exit codes: 0 done, 1 refused or failed (the "
                 "reason on stderr),\n2 wrong usage.\n");
}

static void PrintCommandUsage(std::FILE* to, const quorva::cli::RegisteredCommand& c) {
    std::fprintf(to, "usage: quorva-cli %s %s\n", c.name.c_str(), c.usage.c_str());
}

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    if (name == "--version") {
        std::printf("quorva-cli %s\n", QUORVA_VERSION);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& c : quorva::cli::Commands()) {
        if (c.name != name) continue;
        for (const std::string& a : args) {
            if (a == "--help" || a == "-h") {
                PrintCommandUsage(stdout, c);
                return 0;
            }
        }
        const int status = c.fn(args);
        if (status == 2) PrintCommandUsage(stderr, c);
        return status;
    }
    std::fprintf(stderr, "quorva-cli: unknown command '%s'\n", name.c_str());
    PrintUsage(stderr);
    return 2;
}
