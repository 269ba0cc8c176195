#!/bin/sh
# The runner's start beside the yardstick program, every command side by side in one hyperfine
# run (a run command's figure includes its window's work, which is small beside the start).
#   bench/startup/compare_startup.sh [build folder]
set -eu
build=${1:-build}
cli=$build/bin/pylora-cli
database=$build/share/pylora/database
exec hyperfine -N -i --warmup 20 --runs 200 \
    "$build/bin/bare_program" \
    "$cli list" \
    "$cli menu" \
    "$cli --help" \
    "$cli describe 壁厚计算" \
    "$cli run 壁厚计算" \
    "$cli run 定向钻穿越" \
    "$cli --database $database run 防腐材料 --choose List1=φ159 --choose List2=（普通）" \
    "$cli report 壁厚计算 -o /dev/null --format html" \
    "$cli sweep 壁厚计算 --vary Text2=1:2:1 --result Text6 -o /dev/null"
