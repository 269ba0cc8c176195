#include "window_bench.h"

using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, underwater_elastic_laying, "弹性敷设");
BENCHMARK_CAPTURE(runDefaults, allowable_stress, "钢管许用应力");
BENCHMARK_CAPTURE(runDefaults, soil_load, "土壤荷载计算");
BENCHMARK_CAPTURE(runDefaults, vehicle_load, "汽车荷载计算");
BENCHMARK_CAPTURE(runDefaults, highway_strength_check, "公路穿越强度校核");
