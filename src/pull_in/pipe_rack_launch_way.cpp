// 管架发送道相关计算: pulling a pipe string over a pipe-rack launch way. The window lists the
// formulas and the quantities they need; its buttons carry no calculation.
#include "core/calc.h"

namespace pylora {
namespace {

struct FieldRow {
    const char* name;
    const char* label;
    const char* defaultText;
};

// Three columns of eight rows, top to bottom.
const FieldRow kInputColumns[3][8] = {
    {{"Text1", "钢材的弹性模量E, KN/cm2", "13.6"},
     {"Text2", "管子弯曲时产生的纵向弯曲应力,KN/cm2;", "100"},
     {"Text5", "管架发送道(管段)曲率半径R,cm;", "10.2"},
     {"Text14", "管段结构表面和滚轴摩擦系数f", "2"},
     {"Text4", "单位长度管段(包括加重层等)重力G,KN/m ", "9.0"},
     {"Text16", "钢管许用应力,KN/cm2", "0.82"},
     {"Text25", "辊轴半径Rc，cm", "0.82"},
     {"Text26", "牵引钢丝绳长度l,m;", "0.82"}},
    {{"Text11", "管子截面系数W,cm3", "650"},
     {"Text12", "钢管外径DH,cm;", "500"},
     {"Text13", "起动系数K，一般取2", "2.0"},
     {"Text15", "管架上垂直压力N，KN", "30"},
     {"Text3", "管架的净截面积Fkt，cm2", "600"},
     {"Text17", "管架的全面积Fσp，cm2", "931.5"},
     {"Text24", "管架的辊半径R，cm", "0.82"},
     {"Text28", "轮轴轴承滚动摩擦系数f6", "0.82"}},
    {{"Text6", "管架的净截面系数Wkt，cm3", "650"},
     {"Text18", "管架的全截面系数Wσp，cm3", "650"},
     {"Text19", "构件承载能力折减系数ψ", "650"},
     {"Text20", "水平推力产生的弯矩M", "650"},
     {"Text21", "管架高h,cm", "650"},
     {"Text22", "沿钢面滚动时摩擦系数f5", "650"},
     {"Text23", "钢丝绳与地面摩擦系数f4", "0.82"},
     {"Text27", "长度牵引钢丝绳重力G2,KN/m", "0.82"}},
};

const FieldRow kResults[] = {
    {"Text10", "拖管时单位长度管线结构最小质量Mmin，（Kg）", ""},
    {"Text8", "管架间距(管段跨度)l,cm;", ""},
    {"Text29", "管架承受的水平推力，KN", ""},
    {"Text9", "（稳定性）管架应力σ，KN/cm2", ""},
    {"Text7", "（强度）管架应力σ，KN/cm2", ""},
    {"Text30", "钢丝绳与地面间的摩擦阻力F4,KN", ""},
    {"Text33", "管段结构在管架上轴上滚动的摩擦力F5，KN", ""},
    {"Text32", "辊轴在支架上滚动摩擦力F6，KN", ""},
    {"Text31", "辊滚动时与两侧挡板间阻力F7，KN", ""},
    {"Text34", "管段在管架发送道上牵引时的牵引力F，KN", ""},
};

// The formula frames in their two rows; the strength and stability frames also carry "公式4".
const char* kFormulaFrames[2][6] = {
    {"管架曲率半径", "管架间距计算", "管架承受水平推力", "管架强度计算", "管架稳定计算", "钢丝绳摩擦阻力F4"},
    {"管架摩擦力F5", "辊轴摩擦力F6", "辊滚动时与两侧挡板间阻力", "管架发送道牵引力", nullptr, nullptr},
};

const char* kFormulaPictures[10] = {
    "R = <i>E</i>·<i>D</i><sub>H</sub> / (2σ)",
    "<i>l</i> = √(8<i>W</i>σ / <i>G</i>)",
    "<i>T</i> = <i>K</i>·<i>f</i>·<i>N</i>",
    "σ = <i>N</i>/<i>F</i><sub>kt</sub> + <i>M</i>/<i>W</i><sub>kt</sub> ≤ [σ]",
    "σ = <i>N</i>/(ψ<i>F</i><sub>σp</sub>) + <i>M</i>/<i>W</i><sub>σp</sub> ≤ [σ]",
    "<i>F</i><sub>4</sub> = <i>f</i><sub>4</sub>·<i>G</i><sub>2</sub>·<i>l</i>",
    "<i>F</i><sub>5</sub> = <i>f</i><sub>5</sub>·<i>N</i> / <i>R</i>",
    "<i>F</i><sub>6</sub> = <i>f</i><sub>6</sub>·<i>N</i> / <i>R</i><sub>c</sub>",
    "<i>F</i><sub>7</sub> = <i>f</i>·<i>N</i>",
    "<i>F</i> = <i>K</i>(<i>F</i><sub>4</sub> + <i>F</i><sub>5</sub> + <i>F</i><sub>6</sub> + <i>F</i><sub>7</sub>)",
};

FormDefinition makePipeRackLaunchWay() {
    FormDefinition def("管架发送道相关计算", "管架发送道相关计算");
    def.titleLabel("Label1", "管架发送道相关计算");

    int picture = 0;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 6 && kFormulaFrames[row][column]; ++column) {
            const std::string caption = kFormulaFrames[row][column];
            auto frame = def.frame("Frame" + std::to_string(10 + picture), caption, FrameRole::Formula,
                                   {row, column});
            frame.picture("Image" + std::to_string(picture + 1), kFormulaPictures[picture], {0, 0});
            if (caption == "管架强度计算" || caption == "管架稳定计算") frame.label("", "公式4", {1, 0});
            ++picture;
        }
    }

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 6});
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 8; ++row) {
            const FieldRow& f = kInputColumns[column][row];
            inputs.field(f.name, f.label, f.defaultText, {row, column});
        }

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 6});
    int index = 0;
    for (const FieldRow& f : kResults) {
        results.result(f.name, f.label, {index / 2, index % 2});
        ++index;
    }

    def.idleButton("Command1", "开始计算");
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makePipeRackLaunchWay);

}  // namespace
}  // namespace pylora
