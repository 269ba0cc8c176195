#include "shell/field_widgets.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionFrame>
#include <algorithm>

#include "shell/colours.h"

namespace pylora {
namespace {

const QColor kStaleText(0x80, 0x80, 0x80);

// A cell of a point table (a field without a caption of its own) stands in a row of ten or
// more: it gets less room, and a longer number is read whole in its tooltip.
constexpr int kWidestFieldChars = 17;
constexpr int kWidestCellChars = 11;

}  // namespace

WrappedCaption::WrappedCaption(const QString& text) : QLabel(text) {
    setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    const QFontMetrics metrics = fontMetrics();
    if (metrics.horizontalAdvance(text) <= metrics.horizontalAdvance('0') * 20) return;
    static const QRegularExpression blanks(QStringLiteral("\\S(\\s{2,})\\S"));
    const QRegularExpressionMatch run = blanks.match(text);
    const int breakAt = run.hasMatch() ? run.capturedEnd(1) : int(text.size()) / 2;
    setText(text.left(breakAt) + QChar('\n') + text.mid(breakAt));
}

WrappingLabel::WrappingLabel() {
    setWordWrap(true);
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(false);
    // Its text wraps to whatever width the frames give the window; it asks for none itself.
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    setSizePolicy(policy);
}

void WrappingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    const int needed = heightForWidth(width());
    if (needed > 0 && needed != minimumHeight()) setMinimumHeight(needed);
}

FieldEdit::FieldEdit() { connect(this, &QLineEdit::textChanged, this, &FieldEdit::updateToolTip); }

void FieldEdit::showText(const QString& text) {
    if (this->text() != text) {
        setText(text);
        setCursorPosition(0);  // a long number is read from its first digit
    }
    updateToolTip();
}

void FieldEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    updateToolTip();
}

// Where QLineEdit draws its text: inside the frame's border and padding and the text margins,
// less its own margin of 2 pixels each side.
QRect FieldEdit::textRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    return contents.marginsRemoved(textMargins()).adjusted(2, 0, -2, 0);
}

bool FieldEdit::isClipped() const {
    return fontMetrics().horizontalAdvance(text()) + 1 > textRect().width();  // and the cursor's pixel
}

QString FieldEdit::shownText() const {
    return isClipped() ? fontMetrics().elidedText(text(), Qt::ElideRight, textRect().width()) : text();
}

void FieldEdit::paintEvent(QPaintEvent* event) {
    if (hasFocus() || !isClipped() || echoMode() != Normal) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QRect room = textRect();
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

bool FieldEdit::isWindowKey(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : window()->actions())
        if (action->isEnabled() && action->shortcut() == pressed) return true;
    return false;
}

bool FieldEdit::event(QEvent* event) {
    // A key the window has an action for is the window's: not claimed here as an editing key
    // (Ctrl+E would otherwise move the cursor to the end of the line), so the action runs.
    if (event->type() == QEvent::ShortcutOverride && isWindowKey(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void FieldEdit::updateToolTip() { setToolTip(isClipped() ? text() : QString()); }

QString fieldStyle(const ControlState& state, const QPalette& palette, bool failed, Freshness freshness) {
    const bool stale = freshness == Freshness::Stale;
    const QString border = failed ? QStringLiteral("2px solid #e00000") : QStringLiteral("1px solid #8c8c8c");
    const QString focusBorder = failed ? border : QStringLiteral("2px solid #1f5fbf");
    // A 2 px border takes a pixel of padding, so that a framed field is no larger than others.
    const QString padding = failed ? QStringLiteral("0px 2px") : QStringLiteral("1px 3px");
    return QStringLiteral("QLineEdit { background: %1; color: %2; border: %3; padding: %5; }"
                          "QLineEdit:focus { border: %4; padding: 0px 2px; }")
        .arg(stale ? QStringLiteral("#ffffff") : toQColor(state.background, palette).name(),
             stale ? kStaleText.name() : toQColor(state.foreground, palette).name(), border, focusBorder, padding);
}

QString labelStyle(const ControlState& state, const QPalette& palette, Freshness freshness) {
    const bool stale = freshness == Freshness::Stale;
    QString style =
        QStringLiteral("color: %1;").arg(stale ? kStaleText.name() : toQColor(state.foreground, palette).name());
    if (!stale && state.background.role() != Colour::Role::ButtonFace)
        style += QStringLiteral("background: %1;").arg(toQColor(state.background, palette).name());
    return style;
}

int fieldWidthChars(const ControlDef& control, int expectedLength) {
    const int widest = control.label.empty() ? kWidestCellChars : kWidestFieldChars;
    const int wanted = std::min(expectedLength + 1, widest);
    if (control.widthChars > 0) return std::min(std::max(control.widthChars, wanted), std::max(widest, control.widthChars));
    return std::max(wanted, kUsualFieldChars);
}

}  // namespace pylora
