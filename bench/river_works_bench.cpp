#include "window_bench.h"

using pylora::bench::createWindow;
using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, vibration, "振动计算");
BENCHMARK_CAPTURE(createWindow, vibration, "振动计算");
BENCHMARK_CAPTURE(runDefaults, river_bed_scour, "RIVER");
BENCHMARK_CAPTURE(runDefaults, stabilising_piles, "挡桩计算");
BENCHMARK_CAPTURE(runDefaults, blasting_excavation, "爆破法开挖");
BENCHMARK_CAPTURE(runDefaults, bank_revetment, "河岸护砌设计计算");
