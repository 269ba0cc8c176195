// The take-off windows that need no database, each run from its default texts.
#include "window_bench.h"

using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, pipe_takeoff, "管材提料");
BENCHMARK_CAPTURE(runDefaults, exposed_pipe_paint, "露空管道防腐");
BENCHMARK_CAPTURE(runDefaults, preliminary_design_materials, "线路初设常用材料");
