#pragma once
// The intervals of the shell. The program uses these values; tests shorten them.

namespace meru {

struct Timings {
    int startupPauseMs = 1000;
    int splashMs = 6000;
    int clockMs = 1000;
};

}  // namespace meru
