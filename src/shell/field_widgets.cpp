#include "shell/field_widgets.h"

#include <QRegularExpression>
#include <algorithm>

#include "shell/colours.h"

namespace pylora {
namespace {

const QColor kStaleText(0x80, 0x80, 0x80);

// A cell of a point table (a field without a caption of its own) stands in a row of ten or
// more: it gets less room, and a longer number is read whole in its tooltip.
constexpr int kWidestFieldChars = 17;
constexpr int kWidestCellChars = 12;

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

void FieldEdit::updateToolTip() {
    const int room = contentsRect().width() - 8;  // the text margins of the frame
    setToolTip(fontMetrics().horizontalAdvance(text()) > room ? text() : QString());
}

QString fieldStyle(const ControlState& state, const QPalette& palette, bool failed, Freshness freshness) {
    const bool stale = freshness == Freshness::Stale;
    const QString border = failed ? QStringLiteral("2px solid #e00000") : QStringLiteral("1px solid #8c8c8c");
    const QString focusBorder = failed ? border : QStringLiteral("2px solid #1f5fbf");
    return QStringLiteral("QLineEdit { background: %1; color: %2; border: %3; padding: 1px 3px; }"
                          "QLineEdit:focus { border: %4; padding: 0px 2px; }")
        .arg(stale ? QStringLiteral("#ffffff") : toQColor(state.background, palette).name(),
             stale ? kStaleText.name() : toQColor(state.foreground, palette).name(), border, focusBorder);
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
