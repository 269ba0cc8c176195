// 管材提料: mass per metre, ordered mass and cost of up to four kinds of steel line pipe, by the
// mass formula of the line-pipe delivery standard (GB9711.1-1997).
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/calc.h"

namespace pylora {
namespace {

const char* kMassFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="590" height="120" viewBox="0 0 590 120">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="12" y="32">w = (D − δ) · δ · 0.0246615</text>
<text x="12" y="68">W = w · L · 1000</text>
<text x="152" y="104" text-anchor="end">C = W · P / 10</text><text x="155" y="93" font-size="13">7</text>
</g>
<g font-family="sans-serif" font-size="13" fill="black">
<text x="330" y="24">w 单位管长重量 (Kg/m)</text>
<text x="330" y="46">W 管道重量 (Kg)</text>
<text x="330" y="68">C 管材总费用（万元）</text>
<text x="330" y="90">D 钢管外径，δ 管道壁厚 (mm)</text>
<text x="330" y="112">L 管道长度 (Km)，P 管材单价 (元/吨)</text>
</g></svg>)";

// One kind of pipe: a row of the input grid and the same row of the result grid.
struct PipeRow {
    const char* diameter;      // D, mm
    const char* wall;          // δ, mm
    const char* length;        // L, km
    const char* price;         // P, yuan per tonne
    const char* massPerMetre;  // w, kg/m
    const char* mass;          // W, kg
    const char* cost;          // C, ten thousand yuan
};

const PipeRow kRows[4] = {
    {"Text1", "Text2", "Text12", "Text28", "Text6", "Text4", "Text27"},
    {"Text3", "Text22", "Text21", "Text14", "Text10", "Text9", "Text23"},
    {"Text20", "Text19", "Text18", "Text24", "Text8", "Text7", "Text25"},
    {"Text17", "Text16", "Text15", "Text26", "Text5", "Text11", "Text13"},
};

void computePipeTakeoff(Form& form) {
    for (const PipeRow& row : kRows) {
        const Num diameter = FieldValue(form, row.diameter);
        const Num wall = FieldValue(form, row.wall);
        form.setText(row.massPerMetre, FormatNumber((diameter - wall) * wall * 0.0246615, "#.##"));
        // The ordered mass starts from the mass per metre as displayed, read before the length
        // (one read per statement keeps that order).
        const Num shownMassPerMetre = FieldValue(form, row.massPerMetre);
        const Num mass = shownMassPerMetre * FieldValue(form, row.length) * 1000;
        form.setText(row.mass, FormatNumber(mass, "#.###"));
    }
    for (const PipeRow& row : kRows) {
        const Num shownMass = FieldValue(form, row.mass);
        const Num cost = shownMass * FieldValue(form, row.price) / 10000000;
        form.setText(row.cost, FormatNumber(cost, "#.###"));
    }
}

// A column of a grid: its caption, the name above the unit, and its cell in each pipe row.
struct GridColumn {
    const char* name;
    const char* unit;
    const char* PipeRow::*cell;
};

using DefaultTexts = std::array<std::array<const char*, 4>, 4>;

const DefaultTexts kInputDefaults{{
    {"57", "3.5", "0.5", " 4700"},
    {"219", "6", "2.3", " 4700"},
    {"325", "8", "1", " 4300"},
    {"720", "10", "1.5", " 4300"},
}};

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// One row of cells per pipe under the column captions; a cell is named in messages by its row
// and its column's caption. Without default texts the cells start as a single blank.
void addGrid(FrameBuilder& frame, std::span<const GridColumn> columns, const DefaultTexts* defaults) {
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        frame.label("", columns[c].name, {0, c});
        frame.label("", columns[c].unit, {1, c});
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            const GridColumn& column = columns[c];
            ControlDef& cell = frame.cell(kRows[r].*column.cell, defaults ? (*defaults)[r][c] : " ", {2 + r, c});
            cell.description = "第" + std::to_string(r + 1) + "行 " + trimmed(column.name) + column.unit;
        }
    }
}

FormDefinition makePipeTakeoff() {
    FormDefinition def("管材提料", "管材提料");
    def.titleLabel("Label1", "钢质管道提料");
    def.note("Label2",
             " 【注意】输气管道工程中对钢质管道提料按《石油天然气工业 输送钢管 交货技术条件 第1部分：A级钢管》"
             "GB9711.1-1997中公式计算。");

    def.frame("Frame3", "钢管重量计算公式 ", FrameRole::Formula, {0, 0, 1, 2}).picture("Image1", kMassFormula, {0, 0});

    const GridColumn inputColumns[] = {{"钢管外径", " (mm)", &PipeRow::diameter},
                                       {"管道壁厚", " (mm)", &PipeRow::wall},
                                       {"管道长度", " (Km)", &PipeRow::length},
                                       {"管材单价", " (元/吨)", &PipeRow::price}};
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    addGrid(inputs, inputColumns, &kInputDefaults);

    const GridColumn resultColumns[] = {{"单位管长重量 ", " (Kg/m)", &PipeRow::massPerMetre},
                                        {" 管道重量 ", " (Kg)", &PipeRow::mass},
                                        {"管材总费用 ", "（万元）", &PipeRow::cost}};
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {1, 1});
    addGrid(results, resultColumns, nullptr);

    def.runButton("Command1", "开始计算", computePipeTakeoff);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makePipeTakeoff);

}  // namespace
}  // namespace pylora
