#include <cstdio>

#include "commands.h"

namespace vornlfrf::cli {

// Placeholder until the check command lands.
int cmdCheck(const Args&) {
    std::fprintf(stderr, "check: not available yet\n");
    return kUsageError;
}

}  // namespace vornlfrf::cli
