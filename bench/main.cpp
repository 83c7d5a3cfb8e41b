// Runs every registered benchmark case and prints one line each: "bench <name>: <ratio>x",
// or "bench <name>: failed (<reason>)" for a case that could not be measured; the others
// still run, and the exit code is then 1.
#include <cstdio>
#include <cstring>
#include <exception>

#include "Bench.h"

int main(int argc, char** argv) {
    const char* only = argc > 1 ? argv[1] : nullptr;  // optional: run the cases whose name contains this
    int failures = 0;
    for (const bench::Case& c : bench::Cases()) {
        if (only && !std::strstr(c.name.c_str(), only)) continue;
        try {
            std::printf("bench %s: %.2fx\n", c.name.c_str(), c.run());
        } catch (const std::exception& failure) {
            std::printf("bench %s: failed (%s)\n", c.name.c_str(), failure.what());
            ++failures;
        }
        std::fflush(stdout);
    }
    return failures ? 1 : 0;
}
