#include <cstdio>

#include "commands.h"

namespace vornlfrf::cli {

// Placeholder until the content command lands.
int cmdContent(const Args&) {
    std::fprintf(stderr, "content: not available yet\n");
    return kUsageError;
}

}  // namespace vornlfrf::cli
