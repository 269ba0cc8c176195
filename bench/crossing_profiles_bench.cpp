#include "window_bench.h"

using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, drilling_typed_ground_first_step, "定向钻穿越", "Command1");
BENCHMARK_CAPTURE(runDefaults, drilling_survey_ground_first_step, "定向钻穿越地面数据", "Command1");
BENCHMARK_CAPTURE(runDefaults, open_cut_profile, "穿越断面");
