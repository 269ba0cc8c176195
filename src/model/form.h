#pragma once
// The state of one calculator window: every control by name with its text, colours and
// visibility; option groups, check boxes, list boxes and the profile sketch. It holds
// nothing else: inputs are taken from the fields at each run and results live in them.
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/form_definition.h"

namespace pylora {

struct ControlState {
    std::string name;
    ControlKind kind;
    std::string text;
    Colour background;
    Colour foreground;
    bool visible;
    bool checked;  // check box checked, option button selected
    std::vector<std::string> items;
    int selectedIndex = -1;  // list boxes: -1 when nothing is selected
};

// A data file a run read (the ground survey), kept with the form so that the 计算书 and a case
// file can show and reproduce what the run used.
struct DataFileRead {
    std::string caption;                            // "地面数据文件"
    std::string path;                               // as the run opened it
    bool sample = false;                            // the sample installed with the program
    std::vector<std::string> columns;               // "桩点里程 (m)", "地面标高 (m)"
    std::vector<std::vector<std::string>> records;  // the values as the file gives them
    std::vector<std::string> notes;                 // what the engineer should know of the file's content
};

class Form {
public:
    explicit Form(const FormDefinition& definition);

    const FormDefinition& definition() const { return *definition_; }
    const std::string& formName() const { return definition_->formName(); }

    bool has(const std::string& name) const;
    const ControlState& control(const std::string& name) const;
    const std::vector<ControlState>& controls() const { return controls_; }

    const std::string& text(const std::string& name) const { return control(name).text; }
    // Writes a text; the run records the control as written.
    void setText(const std::string& name, std::string text);
    // What the engineer types: the same change, not counted as written by a run.
    void type(const std::string& name, std::string text);

    Colour background(const std::string& name) const { return control(name).background; }
    void setBackground(const std::string& name, Colour colour);
    Colour foreground(const std::string& name) const { return control(name).foreground; }
    void setForeground(const std::string& name, Colour colour);
    bool visible(const std::string& name) const { return control(name).visible; }
    void setVisible(const std::string& name, bool visible);

    // Check boxes: checked; option buttons: selected.
    bool checked(const std::string& name) const { return control(name).checked; }
    void setChecked(const std::string& name, bool checked);
    // Selects an option button and clears the others of its group.
    void select(const std::string& option);
    // The selected option of a group (the frame that holds the options), if any.
    std::optional<std::string> selectedOption(const std::string& group) const;

    const std::vector<std::string>& items(const std::string& list) const { return control(list).items; }
    int selectedIndex(const std::string& list) const { return control(list).selectedIndex; }
    void setSelectedIndex(const std::string& list, int index);
    // Selects the first item equal to `item`; false when there is none.
    bool choose(const std::string& list, const std::string& item);
    std::optional<std::string> selectedItem(const std::string& list) const;
    // The engineer picks an item: the selection changes, then the window's choose handler runs
    // (a unit list converts the numbers it governs). setSelectedIndex and choose restore a
    // selection without it. pick(list, item) is false when the list has no such item.
    void pick(const std::string& list, int index);
    bool pick(const std::string& list, const std::string& item);

    // The picture area of a profile sketch (the only one when no name is given).
    Sketch& sketch(const std::string& name = {});
    const Sketch* findSketch(const std::string& name = {}) const;
    const std::unordered_map<std::string, Sketch>& sketches() const { return sketches_; }

    // Controls whose text the current run has written, in the order first written.
    const std::vector<std::string>& written() const { return written_; }
    void clearWritten() { written_.clear(); }

    // Fields the current run has read as numbers, in the order first read: the inputs it used.
    const std::vector<std::string>& read() const { return read_; }
    void noteRead(const std::string& name) const;
    void clearRead() {
        read_.clear();
        dataFiles_.clear();
        uncomputed_.clear();
    }

    // Values the runs took from outside the window's fields (a diameter read from a list item, a
    // count from the material catalogue), by quantity key, the latest run's value of each: the
    // 计算书 substitutes them like field values.
    const std::unordered_map<std::string, double>& notedQuantities() const { return quantities_; }
    void noteQuantity(const std::string& key, double value) { quantities_[key] = value; }

    // Data files the current run has read.
    const std::vector<DataFileRead>& dataFilesRead() const { return dataFiles_; }
    // A file read again (the step run anew) replaces what the earlier run noted of it.
    void noteDataFileRead(DataFileRead file);

    // Words the current run leaves for the engineer that report no failure: a result the window
    // leaves blank, and why. The window's status line shows them.
    const std::vector<std::string>& uncomputedNotes() const { return uncomputed_; }
    void noteUncomputed(std::string words) { uncomputed_.push_back(std::move(words)); }

private:
    ControlState& mutableControl(const std::string& name);

    const FormDefinition* definition_;
    std::vector<ControlState> controls_;
    std::unordered_map<std::string, std::size_t> index_;
    std::unordered_map<std::string, std::string> optionGroups_;  // option -> group
    std::unordered_map<std::string, Sketch> sketches_;
    std::vector<std::string> written_;
    mutable std::vector<std::string> read_;  // reading a field leaves the form as it is
    std::vector<DataFileRead> dataFiles_;
    std::unordered_map<std::string, double> quantities_;
    std::vector<std::string> uncomputed_;
};

}  // namespace pylora
