#include "cad/dxf_document.h"

#include <dl_dxf.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "model/decimal_text.h"
#include "model/text.h"

namespace pylora {

std::string gbkText(const std::string& utf8) {
    static thread_local iconv_t converter = iconv_open("GBK", "UTF-8");
    std::string out;
    out.reserve(utf8.size() + 8);
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t start = at;
        const char32_t c = decodeCharacter(utf8, at);
        if (c < 0x80) {
            out.push_back(char(c));
            continue;
        }
        std::array<char, 8> bytes{};
        char* in = const_cast<char*>(utf8.data() + start);
        std::size_t inLeft = at - start;
        char* to = bytes.data();
        std::size_t toLeft = bytes.size();
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (converter != iconv_t(-1) && iconv(converter, &in, &inLeft, &to, &toLeft) != std::size_t(-1) && inLeft == 0) {
            out.append(bytes.data(), bytes.size() - toLeft);
        } else {
            char escape[16];
            std::snprintf(escape, sizeof escape, "\\U+%04X", unsigned(c));
            out += escape;
        }
    }
    return out;
}

namespace {

// The character set of Simplified Chinese fonts (GB2312_CHARSET, as Windows numbers it) in the
// second byte of a TrueType style's font flags, beside variable pitch in the first.
constexpr int kChineseVariablePitch = (134 << 8) | 2;

// A text style on a TrueType font, as CAD programs write one: the font file (group 3), no big
// font, and the font's family with its flags in the ACAD extended data, which AutoCAD and the
// programs that follow it find the font by. Written here rather than by dxflib, which leaves
// the font file empty and puts the name where CAD programs look for a font family.
void textStyle(DL_WriterA& w, const DxfTextStyle& style) {
    w.dxfString(0, "STYLE");
    w.handle();
    w.dxfString(100, "AcDbSymbolTableRecord");
    w.dxfString(100, "AcDbTextStyleTableRecord");
    w.dxfString(2, style.name);
    w.dxfInt(70, 0);
    w.dxfReal(40, 0.0);  // no fixed height: each text states its own
    w.dxfReal(41, style.widthFactor);
    w.dxfReal(50, 0.0);
    w.dxfInt(71, 0);
    w.dxfReal(42, 2.5);
    w.dxfString(3, style.fontFile);
    w.dxfString(4, "");
    w.dxfString(1001, "ACAD");
    w.dxfString(1000, gbkText(style.family));
    w.dxfInt(1071, kChineseVariablePitch);
}

void writeTables(DL_Dxf& dxf, DL_WriterA& w, const std::vector<DxfLayer>& layers,
                 const std::vector<DxfTextStyle>& styles) {
    w.sectionTables();
    dxf.writeVPort(w);
    w.tableLinetypes(3);
    dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    w.tableEnd();
    w.tableLayers(int(layers.size()) + 1);
    dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, 0, -3, "CONTINUOUS"));
    for (const DxfLayer& layer : layers)
        dxf.writeLayer(w, DL_LayerData(gbkText(layer.name), 0),
                       DL_Attributes("", layer.colour, -1, layer.lineweight, "CONTINUOUS"));
    w.tableEnd();
    w.tableStyle(int(styles.size()) + 1);
    // dxflib's own "Standard", whose handle its dimension style refers to.
    dxf.writeStyle(w, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    for (const DxfTextStyle& style : styles) textStyle(w, style);
    w.tableEnd();
    dxf.writeView(w);
    dxf.writeUcs(w);
    w.tableAppid(1);
    dxf.writeAppid(w, "ACAD");
    w.tableEnd();
    dxf.writeDimStyle(w, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(w);
    w.tableEnd();
    w.sectionEnd();
    w.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(w, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(w, block);
    }
    w.sectionEnd();
}

void headerVariable(DL_WriterA& w, const char* name) { w.dxfString(9, name); }

// dxflib's writer with its group codes and values kept in memory rather than in a file of its
// own, so that the drawing reaches the disk once, whole, through writeFileAtomically. Values are
// laid out as dxflib lays them out: the code right-aligned in three columns, reals with up to
// sixteen decimals and at least one.
class MemoryWriter : public DL_WriterA {
public:
    MemoryWriter() : DL_WriterA("/dev/null", DL_Codes::AC1015) {}
    std::string bytes() const { return bytes_; }

    void dxfReal(int gc, double value) const override {
        char text[384];
        printFixed(text, sizeof text, 16, value);
        std::string shown = text;
        const auto dot = shown.find('.');
        if (dot != std::string::npos) {
            std::size_t end = shown.find_last_not_of('0');
            shown.resize(std::max(end + 1, dot + 2));
        }
        dxfString(gc, shown);
    }
    void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        char text[16];
        std::snprintf(text, sizeof text, "%0X", unsigned(value));
        dxfString(gc, text);
    }
    void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value)); }
    void dxfString(int gc, const std::string& value) const override {
        const std::string code = std::to_string(gc);
        bytes_.append(code.size() < 3 ? 3 - code.size() : 0, ' ').append(code).append("\n").append(value).append("\n");
    }

private:
    mutable std::string bytes_;
};

}  // namespace

std::string dxfDocument(const std::vector<DxfLayer>& layers, const std::vector<DxfTextStyle>& styles,
                        const DxfExtents& extents, const std::function<void(DL_Dxf&, DL_WriterA&)>& entities) {
    DL_Dxf dxf;
    delete dxf.out("/dev/null", DL_Codes::AC1015);  // the version dxflib writes entities for
    auto w = std::make_unique<MemoryWriter>();
    dxf.writeHeader(*w);
    headerVariable(*w, "$DWGCODEPAGE");
    w->dxfString(3, "ANSI_936");
    headerVariable(*w, "$INSUNITS");
    w->dxfInt(70, 6);  // metres
    headerVariable(*w, "$MEASUREMENT");
    w->dxfInt(70, 1);
    headerVariable(*w, "$EXTMIN");
    w->dxfReal(10, extents.left), w->dxfReal(20, extents.bottom), w->dxfReal(30, 0);
    headerVariable(*w, "$EXTMAX");
    w->dxfReal(10, extents.right), w->dxfReal(20, extents.top), w->dxfReal(30, 0);
    w->sectionEnd();
    writeTables(dxf, *w, layers, styles);
    w->sectionEntities();
    entities(dxf, *w);
    w->sectionEnd();
    dxf.writeObjects(*w);
    dxf.writeObjectsEnd(*w);
    w->dxfEOF();
    return w->bytes();
}

}  // namespace pylora
