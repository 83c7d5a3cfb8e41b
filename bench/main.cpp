// Runs every registered benchmark case and prints one line each: "bench <name>: <ratio>x".
#include <cstdio>
#include <cstring>

#include "Bench.h"

int main(int argc, char** argv) {
    const char* only = argc > 1 ? argv[1] : nullptr;  // optional: run the cases whose name contains this
    for (const bench::Case& c : bench::Cases()) {
        if (only && !std::strstr(c.name.c_str(), only)) continue;
        std::printf("bench %s: %.2fx\n", c.name.c_str(), c.run());
        std::fflush(stdout);
    }
    return 0;
}
