#include "window_bench.h"

using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, general_pulling_force, "一般牵引力计算");
BENCHMARK_CAPTURE(runDefaults, trolley_launch_way, "小平车发送道相关计算");
BENCHMARK_CAPTURE(runDefaults, thermal_elongation, "跨越段热变形计算");
