#include "platform/Control.h"

#include "platform/Fonts.h"
#include "platform/Form.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace platform {

Control::Control(QWidget *self, bool windowless) : widget_(self), windowless_(windowless)
{
    if (Form *f = form())
        f->registerControl(this);
    applyMousePointer(widget_, mousePointer_, mouseIcon_);
    if (windowless_)
        stackWindowless();
}

Control *Control::holdingPress_ = nullptr;
bool Control::pressLost_ = false;

Control::~Control()
{
    if (holdingPress_ == this)
        holdingPress_ = nullptr;
    if (Form *f = form())
        f->unregisterControl(this);
}

void Control::endPress()
{
    Control *c = std::exchange(holdingPress_, nullptr);
    if (!c || !c->pressed_)
        return;
    c->pressed_ = false;
    if (!c->MouseUp || !c->acceptsInput(true))
        return;
    const QPoint at = c->widget_->mapFromGlobal(QCursor::pos());
    c->MouseUp(c->pressedButton_, 0, at.x(), at.y());
}

Form *Control::form() const
{
    for (QWidget *w = widget_->parentWidget(); w; w = w->parentWidget())
        if (auto *f = qobject_cast<Form *>(w))
            return f->isTearingDown() ? nullptr : f;
    return nullptr;
}

int Control::getLeft() const { return widget_->x(); }
void Control::setLeft(int v) { widget_->move(v, widget_->y()); }
int Control::getTop() const { return widget_->y(); }
void Control::setTop(int v) { widget_->move(widget_->x(), v); }
int Control::getWidth() const { return widget_->width(); }
void Control::setWidth(int v) { widget_->resize(std::max(0, v), widget_->height()); }
int Control::getHeight() const { return widget_->height(); }
void Control::setHeight(int v) { widget_->resize(widget_->width(), std::max(0, v)); }
// The control's own setting, whether or not its form is on the screen.
bool Control::visible() const { return !widget_->isHidden(); }
void Control::setVisibleState(bool v) { widget_->setVisible(v); }
bool Control::enabled() const { return !widget_->testAttribute(Qt::WA_ForceDisabled); }
void Control::setEnabledState(bool v) { widget_->setEnabled(v); }

void Control::setMousePointer(int v)
{
    mousePointer_ = v;
    applyMousePointer(widget_, mousePointer_, mouseIcon_);
}

void Control::setMouseIcon(Picture v)
{
    mouseIcon_ = std::move(v);
    applyMousePointer(widget_, mousePointer_, mouseIcon_);
}

void Control::setFontName(QString v)
{
    fontName_ = std::move(v);
    applyLook();
}

double Control::fontSize() const { return pixelsToPoints(fontPixels_); }

void Control::setFontSize(double v)
{
    fontPixels_ = std::max(1, pointsToPixels(v));
    applyLook();
}

void Control::setFontBold(bool v)
{
    fontBold_ = v;
    applyLook();
}

void Control::setForeColor(QColor v)
{
    foreColor_ = v;
    applyLook();
}

void Control::setBackColor(QColor v)
{
    backColor_ = v;
    applyLook();
}

QFont Control::controlFont() const
{
    QFont f = makeFont(fontName_, 12, fontBold_);
    f.setPixelSize(fontPixels_);
    return f;
}

void Control::Move(int left, int top) { widget_->move(left, top); }

void Control::Move(int left, int top, int width, int height)
{
    widget_->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void Control::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }

void Control::ZOrder(int position)
{
    if (position == 0) {
        widget_->raise();
        if (windowless_)
            stackWindowless();
    } else {
        widget_->lower();
        if (!windowless_)
            stackWindowless();
    }
}

// Windowless controls (labels, images) lie under every windowed sibling.
void Control::stackWindowless()
{
    QWidget *parent = widget_->parentWidget();
    if (!parent)
        return;
    const QObjectList siblings = parent->children();
    const auto windowed = [](QObject *o) {
        auto *c = dynamic_cast<Control *>(qobject_cast<QWidget *>(o));
        return c && !c->windowless_;
    };
    // Mostly the windowed siblings lie on top already and at most this
    // control is among them: one move then, not a raise of each (a screen
    // loads its labels by the hundred).
    const auto lowest = std::find_if(siblings.begin(), siblings.end(), windowed);
    if (std::all_of(lowest, siblings.end(),
                    [&](QObject *o) { return windowed(o) || o == widget_ || !o->isWidgetType(); })) {
        if (windowless_ && std::find(lowest, siblings.end(), widget_) != siblings.end())
            widget_->stackUnder(static_cast<QWidget *>(*lowest));
        return;
    }
    for (QObject *o : siblings)
        if (windowed(o))
            static_cast<QWidget *>(o)->raise();
}

void Control::Refresh() { widget_->repaint(); }

void Control::unloadLater()
{
    widget_->hide();
    widget_->setEnabled(false); // a release still on its way finds it deaf
    if (Form *f = form())
        f->unregisterControl(this);
    widget_->deleteLater();
}

void Control::copyFrom(const Control &first)
{
    widget_->setGeometry(first.widget_->geometry());
    widget_->setEnabled(first.widget_->isEnabled());
    tag_ = first.tag_;
    tabStop_ = first.tabStop_;
    mousePointer_ = first.mousePointer_;
    mouseIcon_ = first.mouseIcon_;
    fontName_ = first.fontName_;
    fontPixels_ = first.fontPixels_;
    fontBold_ = first.fontBold_;
    foreColor_ = first.foreColor_;
    backColor_ = first.backColor_;
    applyMousePointer(widget_, mousePointer_, mouseIcon_);
    applyLook();
}

// A disabled control takes no input, even when an event is sent to it
// directly (our controls handle mouse events before QWidget::event could
// drop them).
bool Control::acceptsInput(bool typing) const
{
    if (!widget_->isEnabled())
        return false;
    const Form *f = form();
    return !f || (typing ? f->acceptsTyping() : f->acceptsInput());
}

bool Control::dispatchMouse(QMouseEvent *e)
{
    const bool press = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
    if (!acceptsInput()) {
        pressLost_ |= press;
        return false;
    }
    const int b = mouseButton(e), s = shiftState(e);
    const int x = int(e->position().x()), y = int(e->position().y());
    // Qt pairs this press with one before that reached no control: it is
    // a press of its own.
    const QEvent::Type type = press && std::exchange(pressLost_, false) ? QEvent::MouseButtonPress : e->type();
    switch (type) {
    case QEvent::MouseButtonPress:
        pressed_ = true;
        pressedButton_ = b;
        holdingPress_ = this;
        if (MouseDown) MouseDown(b, s, x, y);
        return true;
    case QEvent::MouseButtonRelease: {
        const bool click = pressed_ && widget_->rect().contains(x, y);
        pressed_ = false;
        if (holdingPress_ == this)
            holdingPress_ = nullptr;
        if (MouseUp) MouseUp(b, s, x, y);
        if (click && Click) Click();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        pressed_ = true;
        pressedButton_ = b;
        holdingPress_ = this;
        if (DblClick) DblClick();
        return true;
    case QEvent::MouseMove:
        if (MouseMove) MouseMove(b, s, x, y);
        return true;
    default:
        return false;
    }
}

bool Control::dispatchKey(QKeyEvent *e, QString *replacement, bool typing)
{
    if (!acceptsInput(typing))
        return false;
    KeyArgs down = keyArgs(e);
    const int code = down.KeyCode;
    if (KeyDown) {
        QPointer<QWidget> alive(widget_);
        KeyDown(down);
        if (!alive)
            return false;
    }
    if (code != 0 && down.KeyCode == 0)
        return false;
    if (e->text().isEmpty() || !KeyPress)
        return true;
    KeyPressArgs press{int(e->text().at(0).unicode()), e->text(), e->nativeScanCode(), down.Shift};
    const int original = press.KeyAscii;
    KeyPress(press);
    if (press.KeyAscii == 0)
        return false;
    if (press.KeyAscii != original && replacement)
        *replacement = QString(QChar(char16_t(press.KeyAscii)));
    return true;
}

void Control::dispatchFocus(bool in)
{
    if (in && GotFocus)
        GotFocus();
    else if (!in && LostFocus)
        LostFocus();
}

} // namespace platform
