#include "window_bench.h"

using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, brick_wall, "一般砖墙");
BENCHMARK_CAPTURE(runDefaults, stone_retaining_wall, "石挡土墙");
BENCHMARK_CAPTURE(runDefaults, concrete_continuous_coating, "混凝土连续覆盖层");
BENCHMARK_CAPTURE(runDefaults, concrete_marker_posts, "砼标志桩及支座预制");
BENCHMARK_CAPTURE(runDefaults, wire_gabion_stabilisation, "铁丝石笼稳管");
BENCHMARK_CAPTURE(runDefaults, anchor_prohibition_sign, "禁止抛锚牌制作安装");
BENCHMARK_CAPTURE(runDefaults, weight_block_stabilisation, "加重块稳管");
