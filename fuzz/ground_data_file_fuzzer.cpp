// The ground data file reader on any bytes: a file is either refused with a RunFailure (no
// values, an odd number of them) or split into records that each begin on a line of the file;
// reading a record's station or elevation gives a finite number or a RunFailure naming the
// file, never anything else.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/run_failure.h"
#include "crossing_profiles/ground_data_file.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void requireFiniteOrRefused(const pylora::GroundData& data, std::size_t k, bool station) {
    try {
        const pylora::Num value = station ? data.station(k) : data.elevation(k);
        require(std::isfinite(value.value()), "a ground value reads as a number that is not finite");
    } catch (const pylora::RunFailure&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pylora::GroundData ground;
    try {
        ground = pylora::parseGroundData(text, "1.TXT");
    } catch (const pylora::RunFailure&) {
        return 0;  // refused before anything is drawn, as a run refuses it
    }
    require(!ground.records.empty(), "a file without records was accepted");
    int previousLine = 1;
    for (std::size_t k = 0; k < ground.records.size(); ++k) {
        require(ground.records[k].line >= previousLine, "records out of the file's line order");
        previousLine = ground.records[k].line;
        requireFiniteOrRefused(ground, k, true);
        requireFiniteOrRefused(ground, k, false);
    }
    return 0;
}
