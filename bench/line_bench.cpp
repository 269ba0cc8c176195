#include "window_bench.h"

using pylora::bench::createWindow;
using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, wall_thickness, "壁厚计算");
BENCHMARK_CAPTURE(createWindow, wall_thickness, "壁厚计算");
