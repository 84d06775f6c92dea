// The public test media corpus (QUORVA_CORPUS_DIR, a CMake cache variable): a test that
// needs it is skipped when it is missing, and fails then when CI is set (a CI run must
// not pass without it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quorva::peers {

inline bool RunningInCi() {
    const char* ci = std::getenv("CI");
    if (!ci || !*ci) return false;
    const std::string v = ci;
    return v != "0" && v != "false" && v != "no";
}

}  // namespace quorva::peers

// Skips the test (fails it under CI) when the corpus folder is missing.
#define QUORVA_REQUIRE_CORPUS(folder)                                                       \
    do {                                                                                    \
        if (!std::filesystem::is_directory(folder)) {                                       \
            if (quorva::peers::RunningInCi())                                               \
                FAIL() << "the test corpus is missing at " << (folder)                      \
                       << " (set QUORVA_CORPUS_DIR)";                                       \
            GTEST_SKIP() << "no test corpus at " << (folder) << " (set QUORVA_CORPUS_DIR)"; \
        }                                                                                   \
    } while (0)
