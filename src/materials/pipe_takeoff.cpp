// 管材提料: mass per metre, ordered mass and cost of up to four kinds of steel line pipe, by the
// mass formula of the line-pipe delivery standard (GB9711.1-1997).
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/calc.h"
#include "model/report_declarations.h"
#include "model/text.h"

namespace pylora {
namespace {

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
        const auto [diameter, wall] = FieldValues(form, row.diameter, row.wall);
        // A wall of half the diameter or more leaves no bore: no pipe to weigh.
        if (wall >= diameter / 2) throw RunFailure(FailureKind::NoSolution, row.wall, "过大：不小于钢管外径的一半");
        form.setText(row.massPerMetre, FormatNumber((diameter - wall) * wall * kSteelPipeMassFactor, "#.##"));
        // The ordered mass starts from the mass per metre as displayed, read before the length.
        const auto [shownMassPerMetre, length] = FieldValues(form, row.massPerMetre, row.length);
        const Num mass = shownMassPerMetre * length * 1000;
        form.setText(row.mass, FormatNumber(mass, "#.###"));
    }
    for (const PipeRow& row : kRows) {
        const auto [shownMass, price] = FieldValues(form, row.mass, row.price);
        const Num cost = shownMass * price / 10000000;
        form.setText(row.cost, FormatNumber(cost, "#.###"));
    }
}

Meaning input(std::string symbol, std::string name, std::string unit, Domain domain) {
    return {.symbol = std::move(symbol), .name = std::move(name), .unit = std::move(unit), .role = FieldRole::Input,
            .step = {}, .domain = domain};
}

// A column of a grid: its caption, the name above the unit, its cell in each pipe row, and what
// its cells mean.
struct GridColumn {
    const char* name;
    const char* unit;
    const char* PipeRow::*cell;
    Meaning meaning;
};

using DefaultTexts = std::array<std::array<const char*, 4>, 4>;

const DefaultTexts kInputDefaults{{
    {"57", "3.5", "0.5", " 4700"},
    {"219", "6", "2.3", " 4700"},
    {"325", "8", "1", " 4300"},
    {"720", "10", "1.5", " 4300"},
}};

// The mass per metre of the standard, the mass of the ordered length and its cost, for one
// kind of pipe.
std::vector<formula::Formula> rowFormulas(const PipeRow& row) {
    using formula::c;
    using formula::q;
    return {
        {row.massPerMetre, (q(row.diameter) - q(row.wall)) * q(row.wall) * c(kSteelPipeMassFactor)},
        {row.mass, q(row.massPerMetre) * q(row.length) * c(1000)},
        {row.cost, q(row.mass) * q(row.price) / formula::pow(c(10), c(7))},
    };
}

// The grid as a table of four pipes, a column per quantity.
TableDef pipeTable(std::span<const GridColumn> inputs, std::span<const GridColumn> results) {
    TableDef table{"钢管提料", "钢管", {"第1行", "第2行", "第3行", "第4行"}, {}};
    for (auto columns : {inputs, results}) {
        for (const GridColumn& column : columns) {
            TableColumn cells{column.meaning, {}};
            for (const PipeRow& row : kRows) cells.cells.push_back(row.*column.cell);
            table.columns.push_back(std::move(cells));
        }
    }
    return table;
}

// One row of cells per pipe under the column captions; a cell is named in messages by its row
// and its column's caption. Without default texts the cells start as a single blank.
void addGrid(FrameBuilder& frame, std::span<const GridColumn> columns, const DefaultTexts* defaults) {
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        frame.label("", columns[static_cast<std::size_t>(c)].name, {0, c});
        frame.label("", columns[static_cast<std::size_t>(c)].unit, {1, c});
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            const GridColumn& column = columns[static_cast<std::size_t>(c)];
            ControlDef& cell = frame.cell(kRows[r].*column.cell, defaults ? (*defaults)[r][c] : " ", {2 + r, c});
            cell.description = "第" + std::to_string(r + 1) + "行 " + std::string(trimmed(column.name, kSpaces)) + column.unit;
        }
    }
}

FormDefinition makePipeTakeoff() {
    FormDefinition def("管材提料", "管材提料");
    def.titleLabel("Label1", "钢质管道提料");
    def.note("Label2",
             " 【注意】输气管道工程中对钢质管道提料按《石油天然气工业 输送钢管 交货技术条件 第1部分：A级钢管》"
             "GB9711.1-1997中公式计算。");

    def.basis({"《石油天然气工业 输送钢管 交货技术条件 第1部分：A级钢管》GB9711.1-1997"});

    // The picture shows the formulas of the first pipe; the other three follow the same ones.
    def.frame("Frame3", "钢管重量计算公式 ", FrameRole::Formula, {0, 0, 1, 2})
        .formulas("Image1", rowFormulas(kRows[0]), {0, 0});
    for (std::size_t i = 1; i < std::size(kRows); ++i)
        for (formula::Formula& line : rowFormulas(kRows[i])) def.formula(std::move(line));

    const GridColumn inputColumns[] = {
        {"钢管外径", " (mm)", &PipeRow::diameter, input("D", "钢管外径", "mm", Domain::positive())},
        {"管道壁厚", " (mm)", &PipeRow::wall, input("δ", "管道壁厚", "mm", Domain::positive())},
        {"管道长度", " (Km)", &PipeRow::length, input("L", "管道长度", "km", Domain::positive())},
        {"管材单价", " (元/吨)", &PipeRow::price, input("P", "管材单价", "元/t", Domain::nonNegative())}};
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    addGrid(inputs, inputColumns, &kInputDefaults);

    const GridColumn resultColumns[] = {
        {"单位管长重量 ", " (Kg/m)", &PipeRow::massPerMetre, {"w", "单位管长重量", "kg/m", 2, FieldRole::Result, {}}},
        {" 管道重量 ", " (Kg)", &PipeRow::mass, {"W", "管道重量", "kg", 3, FieldRole::Result, {}}},
        {"管材总费用 ", "（万元）", &PipeRow::cost, {"C", "管材总费用", "万元", 3, FieldRole::Result, {}}}};
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {1, 1});
    addGrid(results, resultColumns, nullptr);
    def.table(pipeTable(inputColumns, resultColumns));

    def.runButton("Command1", "开始计算", computePipeTakeoff);
    def.printButton("Command2");
    return def;
}

// The takeoff adds up: the 计算书 closes the table with its total weight and cost.
const TotalsRegistration totals("管材提料", "钢管提料", {"W", "C"});
const WindowRegistration registration("管材提料", "管材提料", makePipeTakeoff);

}  // namespace
}  // namespace pylora
