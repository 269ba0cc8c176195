#pragma once
// A DXF 2000 (AC1015) document written with dxflib and kept in memory: the header (the GBK code
// page ANSI_936, metres, the extents), the layers with their colours and lineweights, the text
// styles on their font files, empty blocks, and the entities the caller writes. Texts and names
// must be given as the file holds them (gbkText).
#include <functional>
#include <string>
#include <vector>

class DL_Dxf;
class DL_WriterA;

namespace pylora {

struct DxfLayer {
    std::string name;  // UTF-8
    int colour;        // AutoCAD colour index
    int lineweight;    // 1/100 mm
};

// A TrueType text style: the font's file and its family name, which a CAD program finds the
// font by wherever its file lies (and which a program without it replaces by a font it has for
// that family, as fontconfig does for SimSun).
struct DxfTextStyle {
    std::string name;
    std::string fontFile;  // "simsun.ttc"
    std::string family;    // "SimSun"
    double widthFactor = 1;
};

struct DxfExtents {
    double left, bottom, right, top;
};

// The file's bytes: `entities` writes the ENTITIES section's content with the writer given.
std::string dxfDocument(const std::vector<DxfLayer>& layers, const std::vector<DxfTextStyle>& styles,
                        const DxfExtents& extents, const std::function<void(DL_Dxf&, DL_WriterA&)>& entities);

// The text as the file holds it: GBK, a character GBK lacks as \U+XXXX (which CAD programs
// read in any code page).
std::string gbkText(const std::string& utf8);

}  // namespace pylora
