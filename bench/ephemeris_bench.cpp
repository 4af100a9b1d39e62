// SPDX-License-Identifier: GPL-2.0-or-later
// One ephemeris update and the angle folding it leans on.
#include "ephemeris/ephemeris.h"
#include "ephemeris/timebase.h"

#include <benchmark/benchmark.h>

namespace {

void computeEphemerisBench(benchmark::State &state) {
    double d = 45290.5;
    for (auto _ : state) {
        computeEphemeris(d);
        benchmark::DoNotOptimize(ephemeris);
        d += 1.0 / 86400;
    }
}
BENCHMARK(computeEphemerisBench);

void reduceAngleBench(benchmark::State &state) {
    // volatile rather than DoNotOptimize on the input: this library version's multi-alternative
    // asm constraint lets g++ 12 read a stale stack slot instead of the value.
    volatile double x = static_cast<double>(state.range(0)) + 0.25;
    for (auto _ : state) benchmark::DoNotOptimize(reduceAngle(x));
}
// The loop path at one and at a thousand turns, the direct path, and the spot angle that the
// largest user argument gives.
BENCHMARK(reduceAngleBench)->Arg(7)->Arg(6000)->Arg(123456)->Arg(-37480000);

} // namespace
