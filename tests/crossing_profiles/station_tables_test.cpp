// The point tables of the profile windows hold every station's cells on the station's own row,
// and the open-cut segment table each segment's cells between its two stake points.
#include <gtest/gtest.h>

#include "model/window_registry.h"

namespace pylora {
namespace {

const TableDef& tableNamed(const FormDefinition& def, const std::string& caption) {
    for (const TableDef& table : def.tables())
        if (table.caption == caption) return table;
    throw std::runtime_error(def.formName() + " has no table " + caption);
}

TEST(StationTables, EveryCellStandsOnItsStationsRow) {
    const struct {
        const char* window;
        std::size_t rows, columns;
    } windows[] = {{"弹性敷设参数计算", 11, 2}, {"定向钻穿越", 12, 3}, {"定向钻穿越地面数据", 12, 2}, {"穿越断面", 10, 4}};
    for (const auto& w : windows) {
        const FormDefinition& def = *findWindow(w.window);
        const TableDef& table = tableNamed(def, "桩点数据");
        ASSERT_EQ(table.rows.size(), w.rows) << w.window;
        ASSERT_EQ(table.columns.size(), w.columns) << w.window;
        for (const TableColumn& column : table.columns)
            for (std::size_t row = 0; row < table.rows.size(); ++row) {
                if (column.cells[row].empty()) continue;
                const ControlDef* cell = def.findControl(column.cells[row]);
                ASSERT_TRUE(cell) << column.cells[row];
                // Messages name a cell by its station and row caption: "弹性敷设起点 桩点里程".
                EXPECT_TRUE(cell->description.starts_with(table.rows[row] + " ")) << w.window << " " << cell->name;
                EXPECT_EQ(cell->meaning.symbol, column.meaning.symbol + "_{" + std::to_string(row + 1) + "}");
            }
    }
}

TEST(StationTables, OpenCutSegmentsStandBetweenTheirStakePoints) {
    const FormDefinition& def = *findWindow("穿越断面");
    const TableDef& points = tableNamed(def, "桩点数据");
    const TableDef& segments = tableNamed(def, "管段数据");
    ASSERT_EQ(segments.rows.size(), points.rows.size() - 1);
    const auto& stations = points.columns.front().cells;
    for (std::size_t i = 0; i < segments.rows.size(); ++i) {
        EXPECT_EQ(segments.rows[i], points.rows[i] + "–" + points.rows[i + 1]);
        const int from = def.findControl(stations[i])->place.column;
        const int to = def.findControl(stations[i + 1])->place.column;
        for (const TableColumn& column : segments.columns) {
            const int at = def.findControl(column.cells[i])->place.column;
            EXPECT_GT(at, from) << column.cells[i];
            EXPECT_LE(at, to) << column.cells[i];
        }
    }
}

}  // namespace
}  // namespace pylora
