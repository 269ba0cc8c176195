#include "documents/report_docx.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "documents/book_document.h"
#include "documents/report_text.h"
#include "model/text.h"
#include "documents/zip_store.h"

namespace pylora {
namespace {

// The document part as it grows: appended in place and handed to the package as it stands (a
// string stream would copy the whole part out, and a book's part runs to tens of megabytes).
struct DocumentText {
    std::string text;
    DocumentText& operator<<(std::string_view piece) {
        text.append(piece);
        return *this;
    }
};

// A4 in twips, the margins as the PDF has them: wide on the left for binding.
constexpr int kPageShort = 11906, kPageLong = 16838;
constexpr int kMarginLeft = 1417, kMarginRight = 850, kMarginTop = 1417, kMarginBottom = 1134;
constexpr int kTextWidth = kPageShort - kMarginLeft - kMarginRight;
constexpr int kLandscapeTextWidth = kPageLong - kMarginLeft - kMarginRight;
constexpr long kEmuPerTwip = 635;
constexpr long kEmuPerPixel = 9525;  // at 96 dpi

// Every text as valid UTF-8 with its control characters shown visibly (XML allows none), escaped.
std::string xml(const std::string& given) { return markupText(given); }

struct RunStyle {
    bool bold = false;
    std::string colour;  // "C00000"; empty: automatic
    int halfPoints = 0;  // 0: the paragraph style's size
    bool serif = false;  // symbols and numbers: I and l told apart
};

const RunStyle kBold{true, "", 0};

std::string run(const std::string& text, const RunStyle& style = {}, int level = 0) {
    if (text.empty()) return {};
    std::string properties;
    if (style.serif)
        properties += std::string("<w:rFonts w:ascii=\"") + kOfficeSerifFace + "\" w:hAnsi=\"" + kOfficeSerifFace + "\"/>";
    if (style.bold) properties += "<w:b/><w:bCs/>";
    if (!style.colour.empty()) properties += "<w:color w:val=\"" + style.colour + "\"/>";
    if (style.halfPoints) properties += "<w:sz w:val=\"" + std::to_string(style.halfPoints) + "\"/>";
    if (level) properties += std::string("<w:vertAlign w:val=\"") + (level < 0 ? "subscript" : "superscript") + "\"/>";
    return "<w:r>" + (properties.empty() ? "" : "<w:rPr>" + properties + "</w:rPr>") +
           "<w:t xml:space=\"preserve\">" + xml(text) + "</w:t></w:r>";
}

// Text with _sub and ^super marks as runs.
std::string marked(const std::string& text, const RunStyle& style = {}) {
    std::string runs;
    for (const ScriptRun& piece : scriptRuns(text)) runs += run(piece.text, style, piece.level);
    return runs;
}

std::string paragraph(const std::string& runs, const std::string& style = {}, const std::string& align = {},
                      const std::string& extra = {}) {
    std::string properties;
    if (!style.empty()) properties += "<w:pStyle w:val=\"" + style + "\"/>";
    if (!align.empty()) properties += "<w:jc w:val=\"" + align + "\"/>";
    properties += extra;
    return "<w:p>" + (properties.empty() ? "" : "<w:pPr>" + properties + "</w:pPr>") + runs + "</w:p>";
}

std::string hexColour(Colour colour) {
    std::string css = cssColour(colour);
    if (!css.empty() && css[0] == '#') css.erase(0, 1);
    return css;
}

// A table cell: its width in twips, its paragraph's runs, shaded when a heading.
struct Cell {
    std::string runs;
    bool heading = false;
    std::string align = "left";
    std::string shade;
};

std::string table(const std::vector<int>& widths, const std::vector<std::vector<Cell>>& rows, int headerRows) {
    std::ostringstream out;
    out << "<w:tbl><w:tblPr><w:tblW w:w=\"" << std::max(1, [&] {
        int sum = 0;
        for (int w : widths) sum += w;
        return sum;
    }()) << "\" w:type=\"dxa\"/><w:tblLayout w:type=\"fixed\"/><w:tblBorders>";
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        out << "<w:" << side << " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>";
    out << "</w:tblBorders><w:tblCellMar><w:left w:w=\"80\" w:type=\"dxa\"/><w:right w:w=\"80\" w:type=\"dxa\"/>"
           "</w:tblCellMar></w:tblPr><w:tblGrid>";
    for (int w : widths) out << "<w:gridCol w:w=\"" << w << "\"/>";
    out << "</w:tblGrid>";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out << "<w:tr>" << (static_cast<int>(r) < headerRows ? "<w:trPr><w:tblHeader/><w:cantSplit/></w:trPr>"
                                                              : "<w:trPr><w:cantSplit/></w:trPr>");
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const Cell& cell = rows[r][c];
            out << "<w:tc><w:tcPr><w:tcW w:w=\"" << widths[std::min(c, widths.size() - 1)] << "\" w:type=\"dxa\"/>";
            const std::string shade = cell.heading ? "E8E8E8" : cell.shade;
            if (!shade.empty()) out << "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" << shade << "\"/>";
            out << "<w:vAlign w:val=\"center\"/></w:tcPr>"
                << paragraph(cell.runs, "TableText", cell.heading ? "center" : cell.align) << "</w:tc>";
        }
        out << "</w:tr>";
    }
    out << "</w:tbl>";
    return out.str();
}

Cell headingCell(const std::string& text) { return {run(text, kBold), true, "center", {}}; }
Cell textCell(const std::string& text, const std::string& align = "left") { return {marked(text), false, align, {}}; }
const RunStyle kSerif{false, "", 0, true};
Cell serifCell(const std::string& text, const std::string& align) { return {marked(text, kSerif), false, align, {}}; }

// Widths in parts of the text width, as twips that add up to it.
std::vector<int> widthsOf(const std::vector<double>& parts, int total = kTextWidth) {
    double sum = 0;
    for (double p : parts) sum += p;
    std::vector<int> widths;
    int used = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int w = i + 1 == parts.size() ? total - used : static_cast<int>(std::lround(total * parts[i] / sum));
        widths.push_back(w);
        used += w;
    }
    return widths;
}

// The package's pictures: each distinct drawing stored once as a PNG, however many times the
// document shows it (a formula repeated in every chapter of the same window).
struct PackageMedia {
    std::vector<std::string> pngs;
    std::map<std::string, int> numberOf;  // by the picture's size and SVG: image1.png is 1
    int drawings = 0;                      // the pictures shown, each with an id of its own
};

class DocxWriter {
public:
    DocxWriter(const Report& report, const ProjectInfo& project, const PngOf& png)
        : report_(report), project_(project), png_(png), headerTitle_(reportTitle(report)) {}

    std::string write() {
        body();
        return package();
    }

    // The project book: cover, written contents (chapter titles, without page numbers: the
    // pages are the word processor's to lay out), the chapters, the summary of their verdicts.
    std::string writeBook(const BookDocument& book) {
        headerTitle_ = book.title;
        bookCover(book);
        // 目录 as a TOC field over the chapter headings (outline level 1), its result written here
        // without page numbers: the word processor fills them in when it updates the field.
        body_ << paragraph(run(kBookContentsTitle), "Title", "center");
        std::vector<std::string> entries;
        for (const BookChapterReport& chapter : book.chapters) entries.push_back(chapter.heading);
        entries.push_back(kBookSummaryTitle);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            std::string runs;
            if (i == 0)
                runs = "<w:r><w:fldChar w:fldCharType=\"begin\" w:dirty=\"true\"/></w:r><w:r><w:instrText "
                       "xml:space=\"preserve\"> TOC \\o \"1-1\" \\h </w:instrText></w:r><w:r><w:fldChar "
                       "w:fldCharType=\"separate\"/></w:r>";
            runs += run(entries[i]);
            if (i + 1 == entries.size()) runs += "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
            body_ << paragraph(runs);
        }
        body_ << paragraph("", {}, {}, sectionProperties(false));
        for (const BookChapterReport& chapter : book.chapters) {
            DocxWriter writer(chapter.report, book.project, png_, media_);
            writer.body_ << paragraph(run(chapter.heading, {true, "", 32}), {}, {}, "<w:outlineLvl w:val=\"0\"/>");
            writer.body();
            body_ << writer.body_.text << paragraph("", {}, {}, writer.lastSection_);
        }
        body_ << paragraph(run(kBookSummaryTitle), "Title", "center", "<w:outlineLvl w:val=\"0\"/>");
        std::vector<std::vector<Cell>> rows{
            {headingCell("章"), headingCell("计算"), headingCell("判定项目"), headingCell("结论")}};
        for (const BookVerdictRow& row : bookSummary(book))
            rows.push_back({textCell(row.chapter, "center"), textCell(row.chapterTitle), textCell(row.name),
                            {run(row.text, {false, hexColour(row.colour), 0}), false, "left", {}}});
        body_ << table(widthsOf({10, 30, 25, 35}), rows, 1);
        lastSection_ = sectionProperties(false);
        return package();
    }

private:
    // A chapter of a book: its pictures among the book's.
    DocxWriter(const Report& report, const ProjectInfo& project, const PngOf& png, PackageMedia& media)
        : report_(report), project_(project), png_(png), headerTitle_(reportTitle(report)), media_(media) {}

    void bookCover(const BookDocument& book) {
        const ProjectInfo& p = book.project;
        const auto centred = [this](const std::string& text, int halfPoints, bool bold, int before) {
            body_ << paragraph(run(text, {bold, "", halfPoints}), {}, "center",
                               "<w:spacing w:before=\"" + std::to_string(before) + "\" w:after=\"120\"/>");
        };
        centred(p.projectName, 40, true, 2400);
        centred(book.title, 56, true, 480);
        centred("工程编号：" + p.projectNumber, 24, false, 360);
        centred("设计阶段：" + p.designStage, 24, false, 0);
        body_ << paragraph("", {}, {}, "<w:spacing w:before=\"2400\"/>");
        std::vector<std::vector<Cell>> rows{{headingCell("职责"), headingCell("姓名"), headingCell("签字")}};
        for (const auto& [role, name] : {std::pair{"计算", &p.calculatedBy}, {"校核", &p.checkedBy}, {"审核", &p.approvedBy}})
            rows.push_back({textCell(role, "center"), textCell(*name, "center"), textCell("")});
        body_ << table(widthsOf({20, 35, 45}), rows, 1);
        centred(p.date, 24, false, 720);
        // The cover's first page shows no running header or page number, as the PDF's cover.
        std::string cover = sectionProperties(false);
        cover.insert(cover.rfind("</w:sectPr>"), "<w:titlePg/>");
        body_ << paragraph("", {}, {}, cover);
    }

    std::string package() {
        ZipStore zip;
        zip.add("[Content_Types].xml", contentTypes());
        zip.add("_rels/.rels",
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships xmlns=\"http://schemas."
                "openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas."
                "openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
                "</Relationships>");
        const std::string opening = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document" +
                                    std::string(kNamespaces) + "><w:body>";
        zip.add("word/document.xml", {opening, body_.text, lastSection_, "</w:body></w:document>"});
        zip.add("word/_rels/document.xml.rels", relationships());
        zip.add("word/styles.xml", styles());
        zip.add("word/header1.xml", header());
        zip.add("word/footer1.xml", footer());
        for (std::size_t i = 0; i < media_.pngs.size(); ++i)
            zip.add("word/media/image" + std::to_string(i + 1) + ".png", media_.pngs[i]);
        return zip.finish();
    }

    static constexpr const char* kNamespaces =
        " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
        " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
        " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
        " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
        " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";

    void heading(const std::string& text) {
        body_ << paragraph(run(chineseNumeral(++section_) + "、" + text), "Heading2");
    }

    // A picture in its own run, scaled down to `maxWidth` twips where it is wider.
    std::string image(const ReportPicture& picture, int maxWidth, int maxHeight = kPageLong) {
        const std::string key = std::to_string(picture.width) + "x" + std::to_string(picture.height) + " " + picture.svg;
        auto [stored, added] = media_.numberOf.try_emplace(key, static_cast<int>(media_.pngs.size()) + 1);
        if (added) media_.pngs.push_back(png_(picture));
        const int media = stored->second;
        const int id = ++media_.drawings;
        double cx = picture.width * kEmuPerPixel, cy = picture.height * kEmuPerPixel;
        const double scale = std::min({1.0, maxWidth * kEmuPerTwip / std::max(1.0, cx), maxHeight * kEmuPerTwip / std::max(1.0, cy)});
        cx *= scale;
        cy *= scale;
        std::ostringstream out;
        out << "<w:r><w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" << long(cx)
            << "\" cy=\"" << long(cy) << "\"/><wp:docPr id=\"" << id << "\" name=\"" << xml(picture.id)
            << "\"/><a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic>"
               "<pic:nvPicPr><pic:cNvPr id=\"" << id << "\" name=\"image" << media << ".png\"/><pic:cNvPicPr/></pic:nvPicPr>"
               "<pic:blipFill><a:blip r:embed=\"rIdImage" << media << "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
               "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" << long(cx) << "\" cy=\"" << long(cy)
            << "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
               "</a:graphic></wp:inline></w:drawing></w:r>";
        return out.str();
    }

    // A note under a formula: what the prescribed formula does, then 参考值 with its value.
    void remarkLines(const ReportRemark& remark) {
        body_ << paragraph(run("注：", {false, "", 19}) + marked(remark.text, {false, "", 19}), "Term");
        const std::string& reference =
            remark.referenceSubstituted.empty() ? remark.referenceFormula : remark.referenceSubstituted;
        if (!reference.empty()) body_ << paragraph(run("参考值：", {false, "", 19}) + marked(reference, {false, "", 19}), "Term");
    }

    void quantityTable(const std::vector<ReportQuantity>& quantities) {
        std::vector<std::vector<Cell>> rows{{headingCell("符号"), headingCell("名称"), headingCell("数值"), headingCell("单位")}};
        for (const ReportQuantity& q : quantities) {
            Cell value{run(q.value, RunStyle{q.highlighted, "", 0, true}) + (q.highlighted ? run(" ※") : ""), false,
                       "right", q.highlighted ? "FFFF80" : ""};
            rows.push_back({serifCell(q.symbol, "center"), textCell(q.name), value, serifCell(q.unit, "center")});
        }
        body_ << table(widthsOf({14, 50, 20, 16}), rows, 1) << paragraph("");
    }

    void pointTable(const ReportTable& t) {
        body_ << paragraph(run(t.caption, kBold), "Heading3");
        std::vector<Cell> head{headingCell(t.rowHeading)};
        for (const ReportColumn& column : t.columns) {
            std::string runs = run(column.name, kBold);
            if (!column.symbol.empty()) runs += run(" ") + marked(column.symbol, kBold);
            if (!column.unit.empty()) runs += run("（") + marked(column.unit) + run("）");
            head.push_back({runs, true, "center", {}});
        }
        std::vector<std::vector<Cell>> rows{head};
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            std::vector<Cell> line{textCell(t.rows[r], "center")};
            for (const std::string& cell : t.cells[r]) line.push_back(serifCell(cell, "right"));
            rows.push_back(line);
        }
        std::vector<double> parts{1.3};
        parts.resize(t.columns.size() + 1, 1.0);
        body_ << table(widthsOf(parts), rows, 1) << paragraph("");
        rowFormulas(t);
    }

    void rowFormulas(const ReportTable& t) {
        if (t.rowFormulas.empty()) return;
        body_ << paragraph(run(kRowFormulasHeading, kBold), {}, {}, "<w:keepNext/>");
        int n = 0;
        for (const ReportRowFormula& row : t.rowFormulas) {
            const bool drawn = !row.formula.svg.empty();
            body_ << paragraph(run(rowFormulaLead(row, ++n)), {}, {}, drawn ? "<w:keepNext/>" : "");
            if (drawn) body_ << paragraph(image(row.formula, kTextWidth), {}, "center");
            if (!row.note.empty()) body_ << paragraph(marked(row.note), "Term");
            if (!row.validity.empty()) body_ << paragraph(run("适用范围：") + marked(row.validity), "Term");
        }
        if (!t.rowFormulaTerms.empty()) body_ << paragraph(run("式中："), {}, {}, "<w:keepNext/>");
        for (const ReportTerm& term : t.rowFormulaTerms) termLine(term);
    }

    // σ_s — 管材的最低屈服强度，360 MPa；
    void termLine(const ReportTerm& term) {
        std::string runs = marked(term.symbol, kSerif) + run(" — " + term.name);
        if (!term.value.empty()) runs += run("，") + run(term.value, kSerif);
        if (!term.unit.empty()) runs += run(term.value.empty() ? "，" : " ") + marked(term.unit);
        body_ << paragraph(runs + run("；"), "Term");
    }

    void dataFile(const ReportDataFile& file) {
        body_ << paragraph(run(file.caption, kBold), "Heading3")
              << paragraph(run("文件：" + file.path + (file.sample ? "（示例数据）" : "")))
              << paragraph(run("记录数：" + std::to_string(file.records.size())));
        for (const std::string& note : file.notes) body_ << paragraph(run("注意：" + note));
        if (file.records.empty()) return;
        std::vector<std::vector<Cell>> rows{{headingCell("序号")}};
        for (const std::string& column : file.columns) rows[0].push_back(headingCell(column));
        int n = 0;
        for (const auto& record : file.records) {
            std::vector<Cell> line{textCell(std::to_string(++n), "center")};
            for (const std::string& value : record) line.push_back(serifCell(value, "right"));
            rows.push_back(line);
        }
        std::vector<double> parts{0.6};
        parts.resize(file.columns.size() + 1, 1.0);
        body_ << table(widthsOf(parts), rows, 1) << paragraph("");
    }

    void body() {
        body_ << paragraph(run(reportTitle(report_)), "Title", "center");
        const std::vector<int> half = widthsOf({14, 36, 14, 36});
        body_ << table(half,
                       {{headingCell("工程名称"), textCell(project_.projectName), headingCell("工程编号"), textCell(project_.projectNumber)},
                        {headingCell("设计阶段"), textCell(project_.designStage), headingCell("计算项目"), textCell(report_.windowTitle)}},
                       0)
              << paragraph(run("计算程序：" + report_.program + " " + report_.version, {false, "", 18}));
        if (const std::string banner = pageOneBanner(report_); !banner.empty())
            body_ << table(widthsOf({100}), {{Cell{run(banner, {true, "C00000", 0}), false, "left", {}}}}, 0);

        heading("计算依据");
        if (report_.basis.empty()) body_ << paragraph(run(kNoBasis));
        int n = 0;
        for (const std::string& code : report_.basis) body_ << paragraph(run(std::to_string(++n) + ". " + code));
        if (!report_.notes.empty()) body_ << paragraph(run("说明：", kBold));
        n = 0;
        for (const std::string& note : report_.notes) body_ << paragraph(run(std::to_string(++n) + ". " + note), "Term");

        heading("计算条件");
        if (!report_.inputs.empty()) quantityTable(report_.inputs);
        for (const ReportChoice& choice : report_.choices) body_ << paragraph(run(choice.name + "：" + choice.value));
        for (const ReportTable& t : report_.inputTables) pointTable(t);
        for (const ReportDataFile& file : report_.dataFiles) dataFile(file);

        heading("计算过程");
        if (report_.steps.empty()) body_ << paragraph(run("本计算窗口未列出计算公式。"));
        n = 0;
        for (const ReportStep& step : report_.steps) {
            if (!step.words.empty()) {
                body_ << paragraph(marked(step.words));
                continue;
            }
            body_ << paragraph(run(std::to_string(++n) + ". " + step.result.name + " ", kBold) +
                                   marked(step.result.symbol, kBold),
                               "Heading3", {}, "<w:keepNext/>")
                  << paragraph(image(step.formula, kTextWidth), {}, "center", "<w:keepNext/>");
            if (!step.source.empty()) body_ << paragraph(run("取自：") + marked(step.source));
            if (!step.terms.empty()) body_ << paragraph(run("式中："), {}, {}, "<w:keepNext/>");
            for (const ReportTerm& term : step.terms) termLine(term);
            if (!step.substitutedPicture.svg.empty())
                body_ << paragraph(run("代入数值："), {}, {}, "<w:keepNext/>")
                      << paragraph(image(step.substitutedPicture, kTextWidth), {}, "center", "<w:keepNext/>")
                      << paragraph(run("计算结果：") + marked(step.result.symbol) + run(" = " + step.result.value) +
                                   (step.result.unit.empty() ? "" : run(" ") + marked(step.result.unit)));
            for (const ReportRemark& remark : step.remarks) remarkLines(remark);
        }
        for (const ReportRemark& remark : report_.remarks) remarkLines(remark);

        heading("计算结果");
        if (const std::string note = caseDifferenceNote(report_); !note.empty())
            body_ << paragraph(run(note, {false, "C00000", 0}));
        const std::string statement = stateStatement(report_);
        if (!statement.empty()) {
            body_ << paragraph(run(statement, {true, "C00000", 0}));
        } else {
            if (!report_.results.empty()) quantityTable(report_.results);
            for (const ReportTable& t : report_.resultTables) pointTable(t);
            if (std::any_of(report_.results.begin(), report_.results.end(), [](const ReportQuantity& q) { return q.highlighted; }))
                body_ << paragraph(run("注：标 ※ 的数值为计算窗口中突出显示的计算结果。", {false, "", 18}));
            for (const std::string& warning : report_.warnings) body_ << paragraph(marked(warning, {true, "A04000", 0}));
        }

        heading("结论");
        if (report_.state != ReportState::Computed) body_ << paragraph(run("未给出结论。"));
        else if (report_.verdicts.empty()) body_ << paragraph(run("本计算窗口不作判定，计算结果见上。"));
        for (const ReportVerdict& verdict : report_.verdicts)
            body_ << paragraph((verdict.name.empty() ? "" : run(verdict.name + "：")) +
                               marked(verdict.text, {true, hexColour(verdict.colour), 0}));

        if (!report_.studies.empty()) heading("参数分析");
        for (const ReportStudy& study : report_.studies) {
            pointTable(study.table);
            body_ << paragraph(image(study.plot, kTextWidth), {}, "center");
        }

        if (signable(report_))
            body_ << paragraph("")
              << table(widthsOf({8, 15, 8, 15, 8, 15, 8, 23}),
                       {{headingCell("计算"), textCell(project_.calculatedBy), headingCell("校核"), textCell(project_.checkedBy),
                         headingCell("审核"), textCell(project_.approvedBy), headingCell("日期"), textCell(project_.date)}},
                       0);
        bool landscape = false;  // the section that ends here
        int figure = 0;
        for (const ReportSketch& sketch : report_.sketches) {
            body_ << paragraph("", {}, {}, sectionProperties(landscape));
            landscape = sketch.landscape;
            const int width = landscape ? kLandscapeTextWidth : kTextWidth;
            const int height = (landscape ? kPageShort : kPageLong) - kMarginTop - kMarginBottom - 1200;
            body_ << paragraph(run("附图" + std::to_string(++figure) + "　" + sketch.caption), "Heading2", {}, "<w:keepNext/>")
                  << paragraph(image(sketch.picture, width, height), {}, "center");
        }
        lastSection_ = sectionProperties(landscape);
    }

    static std::string sectionProperties(bool landscape) {
        std::ostringstream out;
        out << "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdHeader\"/>"
               "<w:footerReference w:type=\"default\" r:id=\"rIdFooter\"/><w:pgSz w:w=\""
            << (landscape ? kPageLong : kPageShort) << "\" w:h=\"" << (landscape ? kPageShort : kPageLong) << "\""
            << (landscape ? " w:orient=\"landscape\"" : "") << "/><w:pgMar w:top=\"" << kMarginTop << "\" w:right=\""
            << kMarginRight << "\" w:bottom=\"" << kMarginBottom << "\" w:left=\"" << kMarginLeft
            << "\" w:header=\"680\" w:footer=\"567\" w:gutter=\"0\"/></w:sectPr>";
        return out.str();
    }

    std::string contentTypes() const {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Types xmlns=\"http://schemas.openxmlformats."
               "org/package/2006/content-types\"><Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-"
               "package.relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/><Default "
               "Extension=\"png\" ContentType=\"image/png\"/><Override PartName=\"/word/document.xml\" ContentType=\""
               "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/><Override PartName=\""
               "/word/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\""
               "/><Override PartName=\"/word/header1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument."
               "wordprocessingml.header+xml\"/><Override PartName=\"/word/footer1.xml\" ContentType=\"application/vnd."
               "openxmlformats-officedocument.wordprocessingml.footer+xml\"/></Types>";
    }

    std::string relationships() const {
        const std::string base = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
        std::string rels = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships xmlns=\"http://"
                           "schemas.openxmlformats.org/package/2006/relationships\">"
                           "<Relationship Id=\"rIdStyles\" Type=\"" + base + "styles\" Target=\"styles.xml\"/>"
                           "<Relationship Id=\"rIdHeader\" Type=\"" + base + "header\" Target=\"header1.xml\"/>"
                           "<Relationship Id=\"rIdFooter\" Type=\"" + base + "footer\" Target=\"footer1.xml\"/>";
        for (std::size_t i = 1; i <= media_.pngs.size(); ++i)
            rels += "<Relationship Id=\"rIdImage" + std::to_string(i) + "\" Type=\"" + base + "image\" Target=\"media/image" +
                    std::to_string(i) + ".png\"/>";
        return rels + "</Relationships>";
    }

    std::string header() const {
        std::string right = project_.projectName.empty() ? "" : "工程名称：" + project_.projectName;
        if (!project_.projectNumber.empty()) right += (right.empty() ? "" : "    ") + std::string("工程编号：") + project_.projectNumber;
        const std::string tab = "<w:r><w:tab/></w:r>";
        return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:hdr" + std::string(kNamespaces) + ">" +
               paragraph(run(headerTitle_) + tab + run(right), "Header", {},
                         "<w:pBdr><w:bottom w:val=\"single\" w:sz=\"6\" w:space=\"1\" w:color=\"000000\"/></w:pBdr>"
                         "<w:tabs><w:tab w:val=\"right\" w:pos=\"" + std::to_string(kTextWidth) + "\"/></w:tabs>") +
               "</w:hdr>";
    }

    std::string footer() const {
        auto field = [](const char* name) {
            return std::string("<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText xml:space=\"preserve\"> ") +
                   name + " </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>1</w:t></w:r>"
                   "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
        };
        return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:ftr" + std::string(kNamespaces) + ">" +
               paragraph(run("第 ") + field("PAGE") + run(" 页 共 ") + field("NUMPAGES") + run(" 页"), "Footer", "center") +
               paragraph(run(report_.program + " " + report_.version), "Footer", "right") + "</w:ftr>";
    }

    static std::string styles() {
        auto style = [](const char* id, const char* name, const std::string& paragraphProperties, const std::string& runProperties) {
            return std::string("<w:style w:type=\"paragraph\" w:styleId=\"") + id + "\"><w:name w:val=\"" + name +
                   "\"/><w:basedOn w:val=\"Normal\"/><w:qFormat/><w:pPr>" + paragraphProperties + "</w:pPr><w:rPr>" +
                   runProperties + "</w:rPr></w:style>";
        };
        return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:styles xmlns:w=\"http://schemas."
               "openxmlformats.org/wordprocessingml/2006/main\"><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\""
               "Arial\" w:hAnsi=\"Arial\" w:eastAsia=\"SimHei\" w:cs=\"Arial\"/><w:sz w:val=\"21\"/><w:szCs w:val=\"21\"/>"
               "<w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\"/></w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing "
               "w:after=\"60\" w:line=\"300\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
               "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/><w:qFormat/>"
               "</w:style>" +
               style("Title", "Title", "<w:jc w:val=\"center\"/><w:spacing w:before=\"120\" w:after=\"240\"/>",
                     "<w:b/><w:sz w:val=\"36\"/>") +
               style("Heading2", "heading 2", "<w:keepNext/><w:spacing w:before=\"240\" w:after=\"80\"/><w:outlineLvl w:val=\"1\"/>",
                     "<w:b/><w:sz w:val=\"24\"/>") +
               style("Heading3", "heading 3", "<w:keepNext/><w:spacing w:before=\"160\" w:after=\"40\"/><w:outlineLvl w:val=\"2\"/>",
                     "<w:b/>") +
               style("Term", "Term", "<w:spacing w:after=\"0\"/><w:ind w:left=\"420\"/>", "") +
               style("TableText", "Table Text", "<w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>", "") +
               style("Header", "header", "<w:spacing w:after=\"0\"/>", "<w:sz w:val=\"18\"/>") +
               style("Footer", "footer", "<w:spacing w:after=\"0\"/>", "<w:sz w:val=\"18\"/>") + "</w:styles>";
    }

    const Report& report_;
    const ProjectInfo& project_;
    const PngOf& png_;
    DocumentText body_;
    std::string headerTitle_;
    std::string lastSection_;
    PackageMedia ownMedia_;
    PackageMedia& media_ = ownMedia_;
    int section_ = 0;
};

}  // namespace

std::string reportDocx(const Report& report, const ProjectInfo& project, const PngOf& png) {
    return DocxWriter(report, project, png).write();
}

std::string bookDocx(const BookDocument& book, const PngOf& png) {
    static const Report kNoReport;  // the book's own pages report nothing of a window
    return DocxWriter(book.chapters.empty() ? kNoReport : book.chapters.front().report, book.project, png).writeBook(book);
}

}  // namespace pylora
