#include "shell/field_widgets.h"

#include <QAction>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionFrame>
#include <algorithm>

#include "shell/colours.h"

namespace pylora {
namespace {

const QColor kStaleText(0x80, 0x80, 0x80);
const QColor kPlainFrame(0x8c, 0x8c, 0x8c);
const QColor kFocusFrame(0x1f, 0x5f, 0xbf);
const QColor kFailedFrame(0xe0, 0x00, 0x00);
// Border and padding of a field's frame, on each side horizontally (half of it above and below).
constexpr int kFrameRoom = 4;
constexpr int kLineEditMargin = 1;  // QLineEdit's own margin above and below its text

// A cell of a point table (a field without a caption of its own) stands in a row of ten or
// more: it gets less room, and a longer number is read whole in its tooltip.
constexpr int kWidestFieldChars = 17;
constexpr int kWidestCellChars = 11;

}  // namespace

// Everything a one-line label's size follows from, besides the style the whole program shares.
const MeasuredLabel::Sizes& MeasuredLabel::sizes() const {
    static QHash<QString, Sizes> measured;  // plain values: safe to outlive the application
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6")
                            .arg(font().key())
                            .arg(int(textFormat()))
                            .arg(buddy() ? 1 : 0)  // a buddy hides the "&" of a shortcut
                            .arg(margin())
                            .arg(indent())
                            .arg(text());
    auto it = measured.constFind(key);
    if (it == measured.constEnd()) it = measured.insert(key, {QLabel::sizeHint(), QLabel::minimumSizeHint()});
    return *it;
}

QSize MeasuredLabel::sizeHint() const { return wordWrap() ? QLabel::sizeHint() : sizes().hint; }

QSize MeasuredLabel::minimumSizeHint() const { return wordWrap() ? QLabel::minimumSizeHint() : sizes().minimum; }

WrappedCaption::WrappedCaption(const QString& text) : MeasuredLabel(text) {
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

FieldEdit::FieldEdit() {
    setFrame(false);  // the frame is drawn here
    setTextMargins(kFrameRoom, kFrameRoom / 2, kFrameRoom, kFrameRoom / 2);
    connect(this, &QLineEdit::textChanged, this, &FieldEdit::updateToolTip);
}

// Qt's own size for a line edit's text, then the room of the frame and its padding.
QSize FieldEdit::sizeHint() const {
    const int text = std::max(fontMetrics().height(), 14) + 2 * kLineEditMargin;
    return {minimumWidth(), text + kFrameRoom};
}

QSize FieldEdit::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int text = metrics.height() + std::max(2 * kLineEditMargin, metrics.leading());
    return {metrics.maxWidth() + 2 * kFrameRoom, text + kFrameRoom};
}

void FieldEdit::setColours(const QColor& background, const QColor& text) {
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, text);
    if (colours != palette()) setPalette(colours);
}

void FieldEdit::setFailed(bool failed) {
    if (failed == failed_) return;
    failed_ = failed;
    update();
}

// A 1 px grey border and 3 px of padding, or a 2 px coloured border and 2 px of padding: a framed
// field is no larger than others and its text does not move.
void FieldEdit::paintFrame() {
    QPainter painter(this);
    const bool marked = failed_ || hasFocus();
    const int width = marked ? 2 : 1;
    const QColor colour = failed_ ? kFailedFrame : hasFocus() ? kFocusFrame : kPlainFrame;
    const QRect r = rect();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), colour);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), colour);
    painter.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), colour);
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
        QLineEdit::paintEvent(event);  // the background and the text
    } else {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        const QRect room = textRect();
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
    }
    paintFrame();
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

void FieldEdit::setRemark(const QString& richText) {
    remark_ = richText;
    updateToolTip();
}

// The whole text where the field shows it cut short, and the field's note (its 参考值) always.
void FieldEdit::updateToolTip() {
    if (!isClipped()) setToolTip(remark_);
    else if (remark_.isEmpty()) setToolTip(text());
    else setToolTip(QStringLiteral("<qt>%1<br/>%2</qt>").arg(text().toHtmlEscaped(), remark_));
}

void showFieldLook(FieldEdit& field, const ControlState& state, const QPalette& palette, bool failed, Freshness freshness) {
    const bool stale = freshness == Freshness::Stale;
    field.setColours(stale ? Qt::white : toQColor(state.background, palette),
                     stale ? kStaleText : toQColor(state.foreground, palette));
    field.setFailed(failed);
}

void showLabelLook(QLabel& label, const ControlState& state, const QPalette& palette, Freshness freshness) {
    const bool stale = freshness == Freshness::Stale;
    // On the window's face a label is see-through; any other background fills it.
    const bool filled = !stale && state.background.role() != Colour::Role::ButtonFace;
    QPalette colours = label.palette();
    colours.setColor(QPalette::WindowText, stale ? kStaleText : toQColor(state.foreground, palette));
    if (filled) colours.setColor(QPalette::Window, toQColor(state.background, palette));
    if (colours != label.palette()) label.setPalette(colours);
    label.setAutoFillBackground(filled);
}

int fieldWidthChars(const ControlDef& control, int expectedLength) {
    const int widest = control.label.empty() ? kWidestCellChars : kWidestFieldChars;
    const int wanted = std::min(expectedLength + 1, widest);
    if (control.widthChars > 0) return std::min(std::max(control.widthChars, wanted), std::max(widest, control.widthChars));
    return std::max(wanted, kUsualFieldChars);
}

}  // namespace pylora
