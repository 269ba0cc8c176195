// Qt's PDF writer compresses every page at zlib's default level, and a page of formulas (their
// glyphs drawn as outlines) is most of a megabyte before compression: for a project book of many
// chapters that compression takes more time than laying the pages out and drawing them
// together. pylora-report asks zlib for its fastest level instead: the book is written about
// twice as fast and its file is about a fifth larger. Qt offers no setting for it, so the
// program itself provides the stream set-up that Qt's writer calls (an executable's definition
// stands before the library's), with the fastest level and everything else as zlib's own
// deflateInit sets it. Linked into pylora-report alone; the desktop program keeps the default.
#include <zlib.h>

extern "C" int deflateInit_(z_streamp stream, int /*level asked for*/, const char* version, int streamSize) {
    constexpr int kDefaultMemoryLevel = 8;  // zlib's DEF_MEM_LEVEL, what deflateInit_ uses
    return deflateInit2_(stream, Z_BEST_SPEED, Z_DEFLATED, MAX_WBITS, kDefaultMemoryLevel, Z_DEFAULT_STRATEGY, version,
                         streamSize);
}
