#include "window_bench.h"

using pylora::bench::createWindow;
using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, wall_thickness, "壁厚计算");
BENCHMARK_CAPTURE(createWindow, wall_thickness, "壁厚计算");
BENCHMARK_CAPTURE(runDefaults, transmission_hydraulics, "水力计算");
BENCHMARK_CAPTURE(runDefaults, gathering_hydraulics, "采集水力计算");
BENCHMARK_CAPTURE(runDefaults, low_pressure_gas, "低压燃气管道计算");
BENCHMARK_CAPTURE(runDefaults, high_pressure_gas, "高中压燃气计算");
BENCHMARK_CAPTURE(runDefaults, venting_loss, "放空损失计算");
