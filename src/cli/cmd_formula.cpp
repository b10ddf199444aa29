#include <cstdio>

#include "commands.h"

namespace vornlfrf::cli {

// Placeholder until the formula command lands.
int cmdFormula(const Args&) {
    std::fprintf(stderr, "formula: not available yet\n");
    return kUsageError;
}

}  // namespace vornlfrf::cli
