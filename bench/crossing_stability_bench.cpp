#include "window_bench.h"

using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, highway_stability_check, "公路穿越稳定性校核");
BENCHMARK_CAPTURE(runDefaults, structural_design_check, "穿越结构设计计算");
BENCHMARK_CAPTURE(runDefaults, underwater_stability, "稳定计算");
BENCHMARK_CAPTURE(runDefaults, buckling_wall_thickness, "穿越管线壁厚稳定校核");
BENCHMARK_CAPTURE(runDefaults, strength_test_pressure, "强度试验压力");
