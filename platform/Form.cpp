#include "platform/Form.h"

#include "platform/Control.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>

namespace platform {

namespace {
constexpr int kTwips = 15;
} // namespace

Form::Form(Kind kind) : Canvas(Stage::instance()), kind_(kind)
{
    setProperty("lkOverlay", kind == Kind::Overlay);
    if (kind == Kind::Overlay)
        setFocusPolicy(Qt::NoFocus); // hint windows never take the focus
    setGeometry(0, 0, Stage::kWidth, Stage::kHeight);
    setMouseTracking(true);
    hide();
}

Form::~Form()
{
    tearingDown_ = true;
}

void Form::registerControl(Control *c)
{
    controls_.push_back(c);
    c->setTabIndex(int(controls_.size()) - 1);
}

void Form::unregisterControl(Control *c)
{
    std::erase(controls_, c);
}

void Form::Load()
{
    if (loaded_ || unloaded_)
        return;
    loaded_ = true;
    Form_Load();
}

void Form::Show()
{
    Load();
    if (!loaded_)
        return;
    showOnStage();
    Form_Activate();
    if (kind_ == Kind::Page)
        activationFocus_ = focusWidget();
}

void Form::showOnStage()
{
    Stage *stage = Stage::instance();
    if (kind_ == Kind::Overlay)
        placeOverlay();
    else
        move(0, 0);
    show();
    stage->bringToFront(this);
    if (kind_ == Kind::Page) {
        if (!caption_.isEmpty())
            stage->setWindowTitle(caption_);
        if (!icon_.isNull())
            stage->setWindowIcon(QIcon(QPixmap::fromImage(icon_.image())));
    }
    if (!stage->isVisible())
        stage->show();
}

void Form::Hide()
{
    hide();
}

void Form::Unload()
{
    if (!loaded_)
        return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel)
        return;
    loaded_ = false;
    unloaded_ = true;
    hide();
    // Array elements loaded at run time go with the form, later: the unload
    // may run inside one of their own events.
    const std::vector<Control *> all = controls_;
    for (Control *c : all)
        if (c->Index() > 1)
            c->unloadLater();
}

void Form::ZOrder(int position)
{
    if (position == 0)
        Stage::instance()->bringToFront(this);
    else if (kind_ == Kind::Page)
        lower();
}

Form::Busy::Busy(Form *f) : form_(f)
{
    if (form_)
        ++form_->busy_;
}

Form::Busy::~Busy()
{
    if (form_)
        --form_->busy_;
}

void Form::setCaption(QString v)
{
    caption_ = std::move(v);
    if (isVisible() && kind_ == Kind::Page)
        Stage::instance()->setWindowTitle(caption_);
}

void Form::setIcon(platform::Picture v)
{
    icon_ = std::move(v);
    if (!icon_.isNull() && kind_ == Kind::Page)
        Stage::instance()->setWindowIcon(QIcon(QPixmap::fromImage(icon_.image())));
}

void Form::setMousePointer(int v)
{
    mousePointer_ = v;
    applyMousePointer(this, mousePointer_, mouseIcon_);
}

void Form::setMouseIcon(platform::Picture v)
{
    mouseIcon_ = std::move(v);
    applyMousePointer(this, mousePointer_, mouseIcon_);
}

// Positions are screen pixels, those of the mouse pointer that hint windows
// are placed beside: a page reports where the stage shows it (so screen
// positions map into it), and an overlay is shown at its screen position
// mapped into the stage.
QPoint Form::screenPosition() const
{
    if (kind_ == Kind::Overlay)
        return screenPos_;
    return Stage::instance()->toScreen(pos());
}

int Form::leftTwips() const { return screenPosition().x() * kTwips; }
void Form::setLeftTwips(int v) { screenPos_.setX(v / kTwips); placeOverlay(); }
int Form::topTwips() const { return screenPosition().y() * kTwips; }
void Form::setTopTwips(int v) { screenPos_.setY(v / kTwips); placeOverlay(); }
int Form::widthTwips() const { return width() * kTwips; }
void Form::setWidthTwips(int v) { resize(v / kTwips, height()); }
int Form::heightTwips() const { return height() * kTwips; }
void Form::setHeightTwips(int v) { resize(width(), v / kTwips); }

void Form::placeOverlay()
{
    if (kind_ != Kind::Overlay)
        return;
    move(Stage::instance()->toStage(screenPos_));
}

void Form::setWindowRegion(const QRegion &region)
{
    setMask(region);
}

bool Form::moveFocus(bool forward)
{
    QWidget *focus = QApplication::focusWidget();
    // Tab goes on among the controls of the box that holds the focus: from a
    // panel lying over the form, never to a control out of sight under it.
    QWidget *group = nullptr;
    for (Control *c : controls_)
        if (c->widget() == focus || c->widget()->focusProxy() == focus)
            group = c->widget()->parentWidget();
    std::vector<Control *> order;
    for (Control *c : controls_) {
        QWidget *w = c->widget();
        if (c->tabStop() && w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(this) && w->isEnabledTo(this)
            && (!group || w->parentWidget() == group))
            order.push_back(c);
    }
    if (order.empty())
        return true;
    std::stable_sort(order.begin(), order.end(),
                     [](Control *a, Control *b) { return a->tabIndex() < b->tabIndex(); });
    auto at = std::find_if(order.begin(), order.end(), [focus](Control *c) {
        return c->widget() == focus || c->widget()->focusProxy() == focus;
    });
    const int n = int(order.size());
    int i = at == order.end() ? (forward ? -1 : 0) : int(at - order.begin());
    i = ((forward ? i + 1 : i - 1) % n + n) % n;
    order[size_t(i)]->widget()->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool Form::focusNextPrevChild(bool next)
{
    return moveFocus(next);
}

void Form::mousePressEvent(QMouseEvent *e)
{
    if (!acceptsInput())
        return;
    pressed_ = true;
    Form_MouseDown(mouseButton(e), shiftState(e), int(e->position().x()), int(e->position().y()));
}

void Form::mouseReleaseEvent(QMouseEvent *e)
{
    if (!acceptsInput())
        return;
    const bool click = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    QPointer<Form> alive(this);
    Form_MouseUp(mouseButton(e), shiftState(e), int(e->position().x()), int(e->position().y()));
    if (alive && click)
        Form_Click();
}

void Form::mouseMoveEvent(QMouseEvent *e)
{
    if (!acceptsInput())
        return;
    Form_MouseMove(mouseButton(e), shiftState(e), int(e->position().x()), int(e->position().y()));
}

void Form::mouseDoubleClickEvent(QMouseEvent *)
{
    if (acceptsInput())
        Form_DblClick();
}

} // namespace platform
