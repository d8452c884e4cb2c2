#include "platform/Controls.h"

#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace platform {
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
    applyLook();
    show();
}

// Screens set every caption and look of a row anew on each new example:
// only a change is painted again.
void Label::setCaption(QString v)
{
    const bool same = v == caption_;
    caption_ = std::move(v);
    fitToText();
    if (!same)
        update();
}

void Label::setAlignment(int v)
{
    if (v == alignment_)
        return;
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
    if (v == backStyle_)
        return;
    backStyle_ = v;
    applyLook();
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
    applyLook();
}

void Label::applyLook()
{
    fitToText();
    // A filled label covers what lies under it: the form is not painted
    // there first.
    setAttribute(Qt::WA_OpaquePaintEvent, backStyle_ == vbOpaque && backColor().alpha() == 255);
    const Look look{controlFont(), foreColor(), backColor(), backStyle_};
    if (look == look_)
        return;
    look_ = look;
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

TextBox::TextBox(QWidget *container, bool multiLine) : QWidget(container), Control(this, false)
{
    QWidget *ed;
    if (multiLine) {
        plain_ = new QPlainTextEdit(this);
        plain_->setTabChangesFocus(true);
        plain_->setFrameShape(QFrame::NoFrame);
        connect(plain_, &QPlainTextEdit::textChanged, this, [this] { if (Change) Change(); });
        ed = plain_;
    } else {
        line_ = new QLineEdit(this);
        line_->setFrame(false);
        line_->setTextMargins(0, 0, 0, 0);
        connect(line_, &QLineEdit::textChanged, this, [this] { if (Change) Change(); });
        ed = line_;
    }
    ed->setFocusPolicy(Qt::ClickFocus);
    ed->installEventFilter(this);
    ed->setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(ed);
    resize(100, 20);
    applyLook();
    show();
}

QWidget *TextBox::editor() const
{
    return line_ ? static_cast<QWidget *>(line_) : plain_;
}

QString TextBox::text() const
{
    if (line_)
        return line_->text();
    return plain_->toPlainText().replace('\n', QStringLiteral("\r\n"));
}

// As in the runtime's edit controls, new text leaves the caret at 0.
void TextBox::setTextValue(QString v)
{
    if (line_) {
        // The same text again is no change to paint.
        if (line_->text() != v)
            line_->setText(v);
        line_->setCursorPosition(0);
    } else
        plain_->setPlainText(v.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TextBox::setAlignment(int v)
{
    alignment_ = v;
    if (line_ && line_->alignment() != (horizontal(v) | Qt::AlignVCenter))
        line_->setAlignment(horizontal(v) | Qt::AlignVCenter);
}

bool TextBox::locked() const
{
    return line_ ? line_->isReadOnly() : plain_->isReadOnly();
}

void TextBox::setLocked(bool v)
{
    if (line_)
        line_->setReadOnly(v);
    else
        plain_->setReadOnly(v);
}

int TextBox::selStart() const
{
    if (line_)
        return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    return plain_->textCursor().selectionStart();
}

void TextBox::setSelStart(int v)
{
    // The document's count, not its text: a long tape is not copied per call.
    const int size = line_ ? int(line_->text().size()) : plain_->document()->characterCount() - 1;
    v = std::clamp(v, 0, size);
    if (line_) {
        line_->setCursorPosition(v);
    } else {
        QTextCursor c = plain_->textCursor();
        c.setPosition(v);
        plain_->setTextCursor(c);
        plain_->ensureCursorVisible();
    }
}

int TextBox::selLength() const
{
    return int(selText().size());
}

void TextBox::setSelLength(int v)
{
    const int start = selStart();
    if (line_) {
        line_->setSelection(start, std::clamp(v, 0, int(line_->text().size()) - start));
    } else {
        QTextCursor c = plain_->textCursor();
        c.setPosition(start);
        c.setPosition(std::clamp(start + v, start, int(plain_->toPlainText().size())), QTextCursor::KeepAnchor);
        plain_->setTextCursor(c);
    }
}

QString TextBox::selText() const
{
    return line_ ? line_->selectedText() : plain_->textCursor().selectedText();
}

void TextBox::setSelText(QString v)
{
    if (line_)
        line_->insert(v);
    else
        plain_->insertPlainText(v.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TextBox::copyFrom(const Control &first)
{
    Control::copyFrom(first);
    const auto &t = static_cast<const TextBox &>(first);
    setTextValue(t.text());
    setAlignment(t.alignment_);
    setLocked(t.locked());
}

// Font and palette rather than a style sheet, set only when they change:
// boxes are made by the hundred and recoloured on every key typed. A
// multi-line box (a screen has one or two) keeps its sheet, which gives its
// scroll bar the box's colours too.
void TextBox::applyLook()
{
    QWidget *ed = editor();
    const QFont font = controlFont();
    if (ed->font() != font)
        ed->setFont(font);
    if (plain_) {
        const QString sheet = QStringLiteral("background: %1; color: %2; border: 0px; padding: 0px; margin: 0px;")
                                  .arg(backColor().name(), foreColor().name());
        if (plain_->styleSheet() != sheet)
            plain_->setStyleSheet(sheet);
        return;
    }
    QPalette palette = ed->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, backColor());
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, foreColor());
    if (palette != ed->palette())
        ed->setPalette(palette);
}

void TextBox::resizeEvent(QResizeEvent *)
{
    // A one-pixel border round the editor, as the runtime's text boxes have.
    editor()->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void TextBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool TextBox::keyFromEditor(QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false; // tab order, not a key of the box
    QPointer<TextBox> alive(this);
    QString replacement;
    if (!dispatchKey(e, &replacement, true) || !alive)
        return true;
    if (replacement.isEmpty())
        return false;
    if (!locked())
        setSelText(replacement);
    return true;
}

bool TextBox::eventFilter(QObject *watched, QEvent *e)
{
    if (watched != editor())
        return false;
    if (isMouse(e)) {
        if (!acceptsInput())
            return true;
        auto *me = static_cast<QMouseEvent *>(e);
        QMouseEvent mapped(me->type(), me->position() + QPointF(1, 1), me->scenePosition(),
                           me->globalPosition(), me->button(), me->buttons(), me->modifiers());
        QPointer<TextBox> alive(this);
        dispatchMouse(&mapped);
        return !alive;
    }
    if (e->type() == QEvent::KeyPress)
        return keyFromEditor(static_cast<QKeyEvent *>(e));
    if (e->type() == QEvent::FocusIn && line_) {
        // Qt selects the whole text of a box reached by Tab; the runtime
        // keeps the caret where it was, so typing never wipes a cell.
        const int caret = line_->cursorPosition();
        static_cast<QObject *>(line_)->event(e);
        line_->deselect();
        line_->setCursorPosition(caret);
        dispatchFocus(true);
        return true;
    }
    if (e->type() == QEvent::FocusOut && line_ && line_->hasSelectedText()) {
        // Qt drops the selection of a box that loses the focus; the runtime
        // keeps SelStart and SelLength for code that acts on the box later.
        const int start = line_->selectionStart();
        const int length = int(line_->selectedText().size());
        static_cast<QObject *>(line_)->event(e);
        line_->setSelection(start, length);
        dispatchFocus(false);
        return true;
    }
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
        dispatchFocus(e->type() == QEvent::FocusIn);
    return false;
}

// ---- Image ----

Image::Image(QWidget *container) : QWidget(container), Control(this, true)
{
    setMouseTracking(true);
    resize(32, 32);
    show();
}

void Image::setPicture(platform::Picture v)
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
    drawStretched(p, picture_.image());
}

bool Image::event(QEvent *e)
{
    if (isMouse(e)) {
        dispatchMouse(static_cast<QMouseEvent *>(e));
        return true;
    }
    return QWidget::event(e);
}

// ---- platform::PictureBox ----

platform::PictureBox::PictureBox(QWidget *container) : Canvas(container), Control(this, false)
{
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    resize(100, 100);
    show();
}

void platform::PictureBox::setAutoSize(bool v)
{
    autoSize_ = v;
    if (autoSize_ && !picture().isNull())
        resize(picture().Width(), picture().Height());
}

void platform::PictureBox::setBoxPicture(platform::Picture v)
{
    if (autoSize_ && !v.isNull())
        resize(v.Width(), v.Height());
    setPicture(std::move(v));
}

void platform::PictureBox::copyFrom(const Control &first)
{
    Control::copyFrom(first);
    const auto &b = static_cast<const platform::PictureBox &>(first);
    autoSize_ = b.autoSize_;
    setAutoRedraw(b.autoRedraw());
    setBoxPicture(b.picture());
}

void platform::PictureBox::applyLook()
{
    setCanvasFontName(fontName());
    setCanvasFontSize(fontSize());
    setCanvasFontBold(fontBold());
    setCanvasForeColor(foreColor());
    if (backColor() != canvasBackColor())
        setCanvasBackColor(backColor());
}

bool platform::PictureBox::event(QEvent *e)
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

} // namespace platform
