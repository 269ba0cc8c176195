#pragma once
// The pieces a calculator window is made of beyond Qt's own: captions that wrap where they
// were laid out to, notes that wrap to the window, fields sized to what they show (with the
// whole text in a tooltip when it does not fit), and the looks of fields and labels.
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "model/form.h"
#include "model/form_definition.h"

namespace pylora {

// A one-line label (a caption, a title, a label a run writes) that measures each text once in
// the program's run: a window opened again lays out its labels without shaping their text anew,
// which is most of what laying out a window of fifty captions costs.
class MeasuredLabel : public QLabel {
public:
    explicit MeasuredLabel(const QString& text = {}) : QLabel(text) {}
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    struct Sizes {
        QSize hint, minimum;
    };
    const Sizes& sizes() const;
};

// A caption above its field. One wider than the narrowest field it may stand over breaks into
// two lines after its run of blanks (where the caption was laid out to wrap), else after its
// middle; its text is unchanged.
class WrappedCaption : public MeasuredLabel {
public:
    explicit WrappedCaption(const QString& text);
};

// A label that wraps its text to the window's width. It takes the height its lines need itself,
// so that the window's layout needs no height-for-width pass (which squeezes the frames' rows
// below their minimum).
class WrappingLabel : public QLabel {
public:
    WrappingLabel();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// A text field that never cuts its text off unseen: a text wider than the field ends in "…"
// while the field is not being edited, and is shown whole in its tooltip. The window's own
// keys (Ctrl+E) work in it: it does not take them as editing keys.
// It draws its own flat frame: grey, blue while it has the keyboard focus, red while it holds
// the input that ended the last run. Drawn, not set by a style sheet: Qt builds a style for
// every widget with a sheet of its own, which made opening a window of a hundred fields slow.
class FieldEdit : public QLineEdit {
public:
    FieldEdit();
    // As wide as the text it is expected to show (its minimum width), not Qt's usual 17 letters.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showText(const QString& text);
    // What the field shows when not being edited: its text, or as much as fits and "…".
    QString shownText() const;
    void setColours(const QColor& background, const QColor& text);
    void setFailed(bool failed);
    // The note that stands in the tooltip whatever the field shows (rich text).
    void setRemark(const QString& richText);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect textRect() const;
    bool isClipped() const;
    bool isWindowKey(const QKeyEvent& key) const;
    void updateToolTip();
    void paintFrame();

    bool failed_ = false;
    QString remark_;
};

// How a field or label shows what the last run did to it: a result that a failed run did not
// reach keeps its text (it may be an input of the next run) but shows grey and without its
// highlight, so it never reads as the answer to new inputs.
enum class Freshness { Current, Stale };

// A field's look: its background and text colour, and its red frame while it holds the input
// that ended the last run.
void showFieldLook(FieldEdit& field, const ControlState& state, const QPalette& palette, bool failed, Freshness freshness);
void showLabelLook(QLabel& label, const ControlState& state, const QPalette& palette, Freshness freshness);

// Fields narrower than this are so only when the window asks (the "<" of a verdict row).
inline constexpr int kUsualFieldChars = 7;

// A field's width in characters: room for the longest text it is expected to show, within
// bounds that keep a row of point-table cells on a laptop screen.
int fieldWidthChars(const ControlDef& control, int expectedLength);

}  // namespace pylora
