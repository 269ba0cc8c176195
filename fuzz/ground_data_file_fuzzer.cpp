// The ground data file reader on any bytes, whole and in pieces: a file is either refused with
// a RunFailure naming it, or split into records, one a line of the file in line order, each
// station and elevation a finite number; a note is made exactly when a station goes back or
// repeats (besides the one that says a heading line was skipped); the pieces the disk hands
// over do not change what is read.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/run_failure.h"
#include "crossing_profiles/ground_data_file.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The same text fed in pieces of `size` bytes; nullopt when refused.
std::optional<pylora::GroundData> inPieces(std::string_view text, std::size_t size) {
    try {
        pylora::GroundDataParser parser("1.TXT");
        for (std::size_t at = 0; at < text.size(); at += size) parser.feed(text.substr(at, size));
        return parser.finish();
    } catch (const pylora::RunFailure& failure) {
        require(failure.detail().find("1.TXT") != std::string::npos, "a refusal that does not name the file");
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<pylora::GroundData> whole = inPieces(text, text.size() + 1);
    const std::optional<pylora::GroundData> pieces = inPieces(text, 1 + size % 7);
    require(whole.has_value() == pieces.has_value(), "pieces of the file read otherwise than the whole");
    if (!whole) return 0;  // refused before anything is drawn, as a run refuses it
    const pylora::GroundData& ground = *whole;
    require(!ground.records.empty(), "a file without records was accepted");
    require(ground.records.size() == pieces->records.size(), "pieces gave another number of records");
    std::int64_t previousLine = 0;
    bool goesBack = false;
    for (std::size_t k = 0; k < ground.records.size(); ++k) {
        require(ground.records[k].line > previousLine, "records out of the file's line order, or two on a line");
        previousLine = ground.records[k].line;
        require(std::isfinite(ground.records[k].x) && std::isfinite(ground.records[k].z), "a value not finite");
        if (k > 0 && !(ground.records[k].x > ground.records[k - 1].x)) goesBack = true;
    }
    // A heading skipped as the first line is said first; any other note is of stations going back.
    const bool headingSkipped =
        !ground.notes.empty() && ground.notes.front().find("作为表头跳过") != std::string::npos;
    require(goesBack == (ground.notes.size() > (headingSkipped ? 1u : 0u)),
            "a note without stations going back, or none where they do");
    return 0;
}
