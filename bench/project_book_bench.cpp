// Saving and opening a project book of 20 calculations (four of them drilled profiles with their
// ground survey), and computing its chapters again for the 计算书; a book of 1,000 chapters read
// and computed, which must cost fifty times the twenty (the whole book bound as a PDF or DOCX,
// pylora-report included, is bench/book/thousand_chapters.sh).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "documents/book_document.h"
#include "files/project_book.h"
#include "model/window_registry.h"

namespace {

pylora::Services services() {
    pylora::Services s;
    s.databaseFolder = PYLORA_DATABASE_DIR;
    s.groundDataFile = std::filesystem::path(PYLORA_DATABASE_DIR) / "1.TXT";
    return s;
}

std::filesystem::path benchFile() {
    return std::filesystem::temp_directory_path() / ("pylora-bench-" + std::to_string(::getpid()) + ".pylora-project");
}

pylora::ProjectBook chapters(int count) {
    pylora::ProjectBook book;
    book.project.projectName = "西气东输三线";
    const std::vector<std::pair<const char*, std::vector<const char*>>> windows = {
        {"土壤荷载计算", {"Command1"}}, {"汽车荷载计算", {"Command1"}}, {"公路穿越强度校核", {"Command1"}},
        {"公路穿越稳定性校核", {"Command1"}}, {"定向钻穿越地面数据", {"Command1", "Command3"}}};
    for (const auto& [form, presses] : windows) {
        pylora::CalcForm window(*pylora::findWindow(form), services());
        for (const char* press : presses) window.press(press);
        book.chapters.push_back(pylora::chapterOf(pylora::captureCase(window)));
    }
    for (int i = static_cast<int>(windows.size()); i < count; ++i) book.chapters.push_back(book.chapters[i % windows.size()]);
    return book;
}

pylora::ProjectBook twentyChapters() { return chapters(20); }

void BM_SaveBook(benchmark::State& state) {
    const pylora::ProjectBook book = twentyChapters();
    for (auto _ : state) pylora::saveBook(book, benchFile());
    std::filesystem::remove(benchFile());
}
BENCHMARK(BM_SaveBook)->Unit(benchmark::kMillisecond);

void BM_OpenBook(benchmark::State& state) {
    pylora::saveBook(twentyChapters(), benchFile());
    for (auto _ : state) benchmark::DoNotOptimize(pylora::loadBook(benchFile()));
    std::filesystem::remove(benchFile());
}
BENCHMARK(BM_OpenBook)->Unit(benchmark::kMillisecond);

void BM_ComputeBookChapters(benchmark::State& state) {
    const pylora::ProjectBook book = twentyChapters();
    for (auto _ : state) benchmark::DoNotOptimize(pylora::buildBookDocument(book, services(), "2026年12月10日"));
}
BENCHMARK(BM_ComputeBookChapters)->Unit(benchmark::kMillisecond);

void BM_OpenBookOfChapters(benchmark::State& state) {
    pylora::saveBook(chapters(static_cast<int>(state.range(0))), benchFile());
    for (auto _ : state) benchmark::DoNotOptimize(pylora::loadBook(benchFile()));
    std::filesystem::remove(benchFile());
}
BENCHMARK(BM_OpenBookOfChapters)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ComputeThousandChapters(benchmark::State& state) {
    const pylora::ProjectBook book = chapters(1000);
    for (auto _ : state) benchmark::DoNotOptimize(pylora::buildBookDocument(book, services(), "2026年12月10日"));
}
BENCHMARK(BM_ComputeThousandChapters)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
