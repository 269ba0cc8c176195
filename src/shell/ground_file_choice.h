#pragma once
// The ground data file of a window that reads one: chosen by the engineer through the window's
// context menu (选择地面数据文件…), remembered for the next windows and sessions, and named in
// the status line after each run with the number of its records.
#include <QString>

#include "model/form.h"

namespace pylora {

class CalcWindow;

// Adds the choice to a window whose runs read the ground data file, and applies the file chosen
// earlier; other windows are left as they are.
void offerGroundDataFileChoice(CalcWindow& window);

// The window uses `path` from now on and later windows too; an empty path returns to the
// user's own survey, else the sample.
void chooseGroundDataFile(CalcWindow& window, const QString& path);

// "地面数据文件：/…/1.TXT（示例数据），共 29 个地面点", then any notes on its content.
QString dataFileSummary(const DataFileRead& file);

}  // namespace pylora
