#pragma once

#include <cstdio>
#include <cstdlib>

// A broken expectation inside a fuzz target is a finding: say which, then crash so
// that libFuzzer keeps the input.
inline void FuzzRequire(bool holds, const char* expectation)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz expectation broken: %s\n", expectation);
    std::abort();
}
