#include "platform/Controls.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace lk {
namespace {

bool isMouse(const QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

Qt::Alignment horizontal(int alignment)
{
    return alignment == vbRightJustify ? Qt::AlignRight
        : alignment == vbCenter        ? Qt::AlignHCenter
                                       : Qt::AlignLeft;
}

} // namespace

// ---- Label ----

Label::Label(QWidget *container) : QWidget(container), Control(this, true)
{
    setMouseTracking(true);
    resize(65, 17);
    show();
}

void Label::setCaption(QString v)
{
    caption_ = std::move(v);
    fitToText();
    update();
}

void Label::setAlignment(int v)
{
    alignment_ = v;
    update();
}

void Label::setAutoSize(bool v)
{
    autoSize_ = v;
    fitToText();
}

void Label::setWordWrap(bool v)
{
    wordWrap_ = v;
    fitToText();
}

void Label::setBackStyle(int v)
{
    backStyle_ = v;
    update();
}

int Label::textFlags() const
{
    const bool wrap = !autoSize_ || wordWrap_;
    return int(horizontal(alignment_) | Qt::AlignTop) | (wrap ? Qt::TextWordWrap : 0);
}

void Label::fitToText()
{
    if (!autoSize_)
        return;
    const QFontMetrics fm(controlFont());
    if (wordWrap_) {
        const QRect r = fm.boundingRect(QRect(0, 0, QWidget::width(), 100000), textFlags(), caption_);
        resize(QWidget::width(), r.height());
    } else {
        const QRect r = fm.boundingRect(QRect(0, 0, 100000, 100000), textFlags(), caption_);
        resize(r.width(), std::max(r.height(), fm.height()));
    }
}

void Label::copyFrom(const Control &first)
{
    Control::copyFrom(first);
    const auto &l = static_cast<const Label &>(first);
    caption_ = l.caption_;
    alignment_ = l.alignment_;
    autoSize_ = l.autoSize_;
    wordWrap_ = l.wordWrap_;
    backStyle_ = l.backStyle_;
    update();
}

void Label::applyLook()
{
    fitToText();
    update();
}

void Label::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (backStyle_ == vbOpaque)
        p.fillRect(rect(), backColor());
    p.setFont(controlFont());
    p.setPen(isEnabled() ? foreColor() : QColor(128, 128, 128));
    p.drawText(rect(), textFlags(), caption_);
}

bool Label::event(QEvent *e)
{
    if (isMouse(e)) {
        dispatchMouse(static_cast<QMouseEvent *>(e));
        return true;
    }
    return QWidget::event(e);
}

// ---- TextBox ----

TextBox::TextBox(QWidget *container) : QLineEdit(container), Control(this, false)
{
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    resize(100, 20);
    applyLook();
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (Change)
            Change();
    });
    show();
}

void TextBox::setAlignment(int v)
{
    alignment_ = v;
    QLineEdit::setAlignment(horizontal(v) | Qt::AlignVCenter);
}

int TextBox::selStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TextBox::setSelStart(int v)
{
    setCursorPosition(std::clamp(v, 0, int(QLineEdit::text().size())));
}

int TextBox::selLength() const
{
    return hasSelectedText() ? int(selectedText().size()) : 0;
}

void TextBox::setSelLength(int v)
{
    const int start = selStart();
    setSelection(start, std::clamp(v, 0, int(QLineEdit::text().size()) - start));
}

void TextBox::copyFrom(const Control &first)
{
    Control::copyFrom(first);
    const auto &t = static_cast<const TextBox &>(first);
    setTextValue(t.text());
    setAlignment(t.alignment_);
    setLocked(t.locked());
}

void TextBox::applyLook()
{
    setFont(controlFont());
    setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid #808080;"
                                 " padding: 0px; margin: 0px; }")
                      .arg(backColor().name(), foreColor().name()));
}

bool TextBox::event(QEvent *e)
{
    if (isMouse(e)) {
        if (!acceptsInput())
            return true;
        QPointer<TextBox> alive(this);
        dispatchMouse(static_cast<QMouseEvent *>(e));
        return alive ? QLineEdit::event(e) : true;
    }
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        const bool handled = QLineEdit::event(e);
        dispatchFocus(e->type() == QEvent::FocusIn);
        return handled;
    }
    return QLineEdit::event(e);
}

void TextBox::keyPressEvent(QKeyEvent *e)
{
    QPointer<TextBox> alive(this);
    QString replacement;
    if (!dispatchKey(e, &replacement) || !alive)
        return;
    if (!replacement.isEmpty()) {
        if (!isReadOnly())
            insert(replacement);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

// ---- Image ----

Image::Image(QWidget *container) : QWidget(container), Control(this, true)
{
    setMouseTracking(true);
    resize(32, 32);
    show();
}

void Image::setPicture(lk::Picture v)
{
    picture_ = std::move(v);
    if (!picture_.isNull())
        resize(picture_.Width(), picture_.Height());
    update();
}

void Image::copyFrom(const Control &first)
{
    Control::copyFrom(first);
    picture_ = static_cast<const Image &>(first).picture_;
    update();
}

void Image::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, picture_.image());
}

bool Image::event(QEvent *e)
{
    if (isMouse(e)) {
        dispatchMouse(static_cast<QMouseEvent *>(e));
        return true;
    }
    return QWidget::event(e);
}

// ---- lk::PictureBox ----

lk::PictureBox::PictureBox(QWidget *container) : Canvas(container), Control(this, false)
{
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    resize(100, 100);
    show();
}

void lk::PictureBox::setAutoSize(bool v)
{
    autoSize_ = v;
    if (autoSize_ && !picture().isNull())
        resize(picture().Width(), picture().Height());
}

void lk::PictureBox::setBoxPicture(lk::Picture v)
{
    if (autoSize_ && !v.isNull())
        resize(v.Width(), v.Height());
    setPicture(std::move(v));
}

void lk::PictureBox::copyFrom(const Control &first)
{
    Control::copyFrom(first);
    const auto &b = static_cast<const lk::PictureBox &>(first);
    autoSize_ = b.autoSize_;
    setAutoRedraw(b.autoRedraw());
    setBoxPicture(b.picture());
}

void lk::PictureBox::applyLook()
{
    setCanvasFontName(fontName());
    setCanvasFontSize(fontSize());
    setCanvasFontBold(fontBold());
    setCanvasForeColor(foreColor());
    if (backColor() != canvasBackColor())
        setCanvasBackColor(backColor());
}

bool lk::PictureBox::event(QEvent *e)
{
    if (isMouse(e)) {
        dispatchMouse(static_cast<QMouseEvent *>(e));
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            return Canvas::event(e);
        dispatchKey(static_cast<QKeyEvent *>(e), nullptr);
        return true;
    }
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        dispatchFocus(e->type() == QEvent::FocusIn);
        return Canvas::event(e);
    }
    return Canvas::event(e);
}

// ---- Timer ----

Timer::Timer(QObject *owner) : QObject(owner)
{
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (OnTimer)
            OnTimer();
    });
}

void Timer::setInterval(int v)
{
    interval_ = std::max(0, v);
    restart();
}

void Timer::setEnabled(bool v)
{
    enabled_ = v;
    restart();
}

void Timer::restart()
{
    timer_.stop();
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
}

} // namespace lk
