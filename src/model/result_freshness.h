#pragma once
// Which results a window shows belong to the inputs it shows. A result is current when the run
// that wrote it last read the inputs as they stand; it turns stale (shown grey) when a later run
// failed or ended early without writing it again, or when an input that run read is edited.
// The rules of a display, kept without one, so that every front end greys the same fields.
// A window opened from a case file or a recovery copy shows the texts it was created with until
// its steps are pressed again; those texts belong to other inputs (staleResults).
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/calc_form.h"

namespace pylora {

class ResultFreshness {
public:
    explicit ResultFreshness(const FormDefinition& definition) : definition_(&definition) {}

    // After a press of a run button: what it wrote (sketches included when their drawing
    // changed or the same run drew them again) and read, and whether it failed.
    void noteRun(const Form& form, const std::string& button, bool failed);
    // The engineer changed `input` (a field typed into, an option, a check box, a list): what
    // the runs computed from it turns stale. True when some result turned stale just now.
    bool noteEdit(const Form& form, const std::string& input);

    bool isStale(const std::string& control) const { return stale_.count(control) != 0; }
    const std::set<std::string>& stale() const { return stale_; }
    // Fields, labels and sketches some run has written.
    bool written(const std::string& control) const { return writtenBy_.count(control) != 0; }

private:
    int stepIndex(const std::string& button) const;

    const FormDefinition* definition_;
    std::map<std::string, std::string> writtenBy_;            // control -> the run button that wrote it last
    std::set<std::string> stale_;
    std::map<std::string, std::vector<std::string>> readBy_;  // run button -> fields its last run read
    std::map<std::string, std::size_t> sketchSignatures_;
};

// What a sketch shows, in one number: a run that changes it is the run that drew it.
std::size_t sketchSignature(const Sketch& sketch);

// The results and verdicts the window shows that the calculation shown did not compute: all of
// them when nothing ran, an input changed since the last run, or that run failed; else those no
// step of the calculation wrote (a later step not pressed yet). Sketches only when nothing was
// computed; hidden and blank fields never, as they show nothing. In window order.
std::vector<std::string> staleResults(const CalcForm& window);

}  // namespace pylora
