// The program's one window: the pages on it, the window manager's close,
// dialogs over it, and full screen. The whole program is drawn at the
// scale that lets the stage fill the screen (FullScreen.cpp, before the
// application starts), so the stage stays real widgets drawn at the
// screen's resolution, and dialogs and cursors grow with it; full screen
// is then a black window with the stage centred in it.
#include "platform/Stage.h"

#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/DialogFit.h"
#include "platform/Form.h"
#include "platform/Runtime.h"
#include "platform/X11Screen.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

namespace platform {

namespace {

QPointer<Stage> &theStage()
{
    static QPointer<Stage> stage;
    return stage;
}

// The window manager's close comes to the stage while a dialog is open
// too. Qt drops it then, the window being blocked by the dialog: a close
// given in a save's wait, whose message was the next dialog, was lost.
class WindowManagerClose final : public QAbstractNativeEventFilter {
public:
    explicit WindowManagerClose(Stage *stage) : stage_(stage) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const unsigned window = x11::closeRequestOf(type, message);
        if (!window || window != stage_->shownWindow()->internalWinId())
            return false;
        stage_->requestClose();
        return true;
    }

private:
    Stage *stage_;
};

// A window manager may give a window any size, if only for a moment: one
// started late gave the full-screen window 65534 x 65534, and Qt made a
// buffer of that size and painted it, gigabytes, the screen black and deaf
// meanwhile. No window of the program takes more than the screen, and the
// full-screen window, where no window manager will put it back, is put
// back onto it.
class WithinTheScreen final : public QAbstractNativeEventFilter {
public:
    explicit WithinTheScreen(Stage *stage) : stage_(stage) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override;

private:
    Stage *stage_;
};

// At a fractional scale Qt paints a rectangle of the stage on the screen
// pixels its edges round to in the window's buffer, where the stage lies
// between pixels, and flushes it to the stage's own window by its edges
// rounded there, all shifted by where the corner of what it flushes
// rounds to. An edge can round a pixel apart in the two: a line of the
// screen before would stay there. What Qt painted and did not flush is
// found by rounding as it does, and put on the stage's window.
class Unflushed final : public QObject {
public:
    Unflushed(QWidget *window, QWidget *stage) : window_(window), stage_(stage)
    {
        if (stage->devicePixelRatioF() != std::floor(stage->devicePixelRatioF()))
            qApp->installEventFilter(this);
    }

    // Qt flushes what an update paints, and what the window system
    // uncovers of the stage's window as it was painted before.
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType()) {
            auto *w = static_cast<QWidget *>(o);
            if (w == stage_ || stage_->isAncestorOf(w))
                add(static_cast<QPaintEvent *>(e)->region(), w->mapTo(stage_, QPoint()));
        } else if (e->type() == QEvent::Expose && o == stage_->windowHandle()) {
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            add(static_cast<QExposeEvent *>(e)->region(), QPoint());
            QT_WARNING_POP
        }
        return false;
    }

    // Puts what Qt flushed short of what it painted since the last put.
    void put()
    {
        const std::vector<QRect> flushed = std::exchange(flushed_, {});
        QBackingStore *store = window_->backingStore();
        if (flushed.empty() || !store || store->paintDevice()->devType() != QInternal::Image)
            return;
        const qreal s = stage_->devicePixelRatioF();
        const QPoint offset = stage_->mapTo(window_, QPoint());
        const QPoint nativeOffset = offset * s;
        QPoint corner = flushed.front().topLeft();
        for (const QRect &r : flushed)
            corner = QPoint(std::min(corner.x(), r.x()), std::min(corner.y(), r.y()));
        const QPoint shift = (corner + offset) * s - (corner * s + nativeOffset);
        // Rectangle by rectangle, as each shows in the buffer and as Qt
        // flushed it: what the one covers and the other does not.
        std::vector<QRect> missed;
        for (const QRect &r : flushed) {
            const QRect painted = rounded(r.translated(offset), s).translated(-nativeOffset);
            const QRect shown = rounded(r, s).translated(shift);
            if (!shown.contains(painted))
                for (const QRect &part : QRegion(painted) - shown)
                    missed.push_back(part);
        }
        if (!missed.empty())
            x11::putImage(stage_, *static_cast<QImage *>(store->paintDevice()), nativeOffset, joined(std::move(missed)));
    }

private:
    QWidget *window_, *stage_;
    std::vector<QRect> flushed_; // since the last put, in stage pixels

    void add(const QRegion &region, QPoint at)
    {
        // Painted at once by a repaint or uncovered, not by the window's
        // update: put once the event is over.
        if (flushed_.empty())
            QMetaObject::invokeMethod(this, &Unflushed::put, Qt::QueuedConnection);
        for (const QRect &r : region)
            flushed_.push_back(r.translated(at));
    }

    // A line along an edge is missed rectangle by rectangle: its pieces,
    // and pieces missed twice, are put as one.
    static std::vector<QRect> joined(std::vector<QRect> pieces)
    {
        for (const bool down : {true, false}) {
            // Along a line: its place across, its thickness, then where along it.
            const auto key = [down](const QRect &r) {
                return down ? std::tuple(r.x(), r.width(), r.y()) : std::tuple(r.y(), r.height(), r.x());
            };
            std::sort(pieces.begin(), pieces.end(), [&](const QRect &a, const QRect &b) { return key(a) < key(b); });
            const auto continues = [&](const QRect &line, const QRect &r) {
                return std::get<0>(key(line)) == std::get<0>(key(r)) && std::get<1>(key(line)) == std::get<1>(key(r))
                    && (down ? r.top() <= line.bottom() + 1 : r.left() <= line.right() + 1);
            };
            std::vector<QRect> lines;
            for (const QRect &r : pieces) {
                if (!lines.empty() && continues(lines.back(), r))
                    lines.back() |= r;
                else
                    lines.push_back(r);
            }
            pieces = std::move(lines);
        }
        return pieces;
    }

    // The screen pixels between a rectangle's edges, each rounded.
    static QRect rounded(const QRect &r, qreal s)
    {
        return QRect(QPoint(qRound(r.left() * s), qRound(r.top() * s)),
                     QPoint(qRound((r.right() + 1) * s) - 1, qRound((r.bottom() + 1) * s) - 1));
    }
};

// A text box's editor, where typed keys go in.
bool takesTyping(const QWidget *w)
{
    const auto *box = qobject_cast<const TextBox *>(w->parentWidget());
    return box && box->editor() == w;
}

} // namespace

Stage::Stage()
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_DeleteOnClose, false);
    keepDialogsOnScreen();
    if (x11::running()) {
        closeFilter_ = std::make_unique<WindowManagerClose>(this);
        QCoreApplication::instance()->installNativeEventFilter(closeFilter_.get());
        sizeFilter_ = std::make_unique<WithinTheScreen>(this);
        QCoreApplication::instance()->installNativeEventFilter(sizeFilter_.get());
    }
}

Stage::~Stage() = default;

Stage *Stage::instance()
{
    QPointer<Stage> &stage = theStage();
    if (!stage)
        stage = new Stage();
    return stage;
}

void Stage::bringToFront(Form *f)
{
    f->raise();
    // Overlays stay above every page.
    if (f->property("lkOverlay").toBool())
        return;
    for (QObject *o : children())
        if (auto *w = qobject_cast<QWidget *>(o); w && w->property("lkOverlay").toBool())
            w->raise();
}

void Stage::onCloseRequest(std::function<void()> handler)
{
    Stage *stage = instance();
    stage->closeHandler_ = std::move(handler);
    if (stage->close_ == Close::Asked)
        stage->answerSoon();
}

void Stage::closeEvent(QCloseEvent *e)
{
    e->ignore();
    requestClose();
}

void Stage::requestClose()
{
    if (close_ != Close::None)
        return;
    close_ = Close::Asked;
    answerSoon();
}

void Stage::waitsOver()
{
    if (Stage *stage = theStage(); stage && stage->close_ == Close::Asked)
        stage->answerSoon();
}

void Stage::answerSoon()
{
    QTimer::singleShot(0, this, &Stage::answerClose);
}

// Not inside a wait or a dialog: the code around them would go on under
// the answer, and a save or a print job under way would be cut short. The
// end of the outermost of them asks again.
void Stage::answerClose()
{
    if (close_ != Close::Asked || !closeHandler_ || EventWait::running())
        return;
    // A modal window no wait stands for: looked at again shortly.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(50, this, &Stage::answerClose);
        return;
    }
    close_ = Close::Answering;
    const std::function<void()> handler = closeHandler_;
    handler();
    close_ = Close::None;
}

Form *Stage::frontPage() const
{
    const QObjectList all = children();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        auto *f = qobject_cast<Form *>(*it);
        if (f && f->isVisible() && !f->property("lkOverlay").toBool())
            return f;
    }
    return nullptr;
}

// The black full-screen window. Qt places a child on whole logical pixels
// and sizes a window in them, which at a fractional scale is up to a few
// screen pixels off; on X the window and the stage (a native child there)
// are therefore placed in screen pixels, and a black window of the
// server's own under the stage covers what Qt's buffer does not reach.
class StageHost final : public QWidget {
public:
    explicit StageHost(Stage *stage) : stage_(stage)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setWindowTitle(stage->windowTitle());
        setWindowIcon(stage->windowIcon());
        if (x11::running()) {
            pixels_ = x11::primaryScreenPixels();
            stage->setAttribute(Qt::WA_NativeWindow);
            unflushed_.emplace(this, stage);
        }
        stage->setParent(this);
        stage->installEventFilter(this);
        for (QObject *page : stage->children())
            page->installEventFilter(this);
        showPagePointer();
    }

    // The window covers the screen to the last pixel.
    void coverScreen()
    {
        if (!pixels_)
            return;
        x11::placeWindow(this, *pixels_);
        if (!mat_)
            mat_ = x11::coverWithBlack(this, pixels_->size());
        placeStage();
    }

protected:
    bool event(QEvent *e) override
    {
        const bool handled = QWidget::event(e);
        // The window's update paints and flushes all that changed at once.
        if (e->type() == QEvent::UpdateRequest && unflushed_)
            unflushed_->put();
        return handled;
    }
    void resizeEvent(QResizeEvent *) override { placeStage(); }
    void closeEvent(QCloseEvent *e) override
    {
        e->ignore();
        stage_->requestClose();
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == stage_) {
            // Qt puts the stage's window back on its own grid when it moves or shows it.
            if (e->type() == QEvent::Move || e->type() == QEvent::Show)
                placeNatively();
            else if (e->type() == QEvent::ChildAdded)
                static_cast<QChildEvent *>(e)->child()->installEventFilter(this);
        } else if (e->type() == QEvent::CursorChange || e->type() == QEvent::ZOrderChange || e->type() == QEvent::Show
                   || e->type() == QEvent::Hide) {
            showPagePointer();
        }
        return false;
    }
    // The screen around the stage stays plain, as the backdrop is.
    void paintEvent(QPaintEvent *e) override { QPainter(this).fillRect(e->rect(), Qt::black); }
    // Off the stage the page in front hears the pointer's moves, as it
    // would beyond its own controls, so hovered faces go out.
    void mouseMoveEvent(QMouseEvent *e) override
    {
        Form *page = stage_->frontPage();
        if (!page)
            return;
        QMouseEvent move(QEvent::MouseMove, page->mapFrom(this, e->position()), e->globalPosition(), Qt::NoButton,
                         e->buttons(), e->modifiers());
        QCoreApplication::sendEvent(page, &move);
    }

private:
    Stage *stage_;
    std::optional<QRect> pixels_; // the screen in device pixels, where known
    unsigned mat_ = 0;
    std::optional<Unflushed> unflushed_;

    // The pointer on the black is the page's own, at the stage's scale: it
    // follows the page in front and every change of the page's pointer.
    void showPagePointer()
    {
        const Form *page = stage_->frontPage();
        if (page && page->testAttribute(Qt::WA_SetCursor))
            setCursor(page->cursor());
        else
            unsetCursor();
    }

    // The stage's corner in screen pixels, centred: half the room on each
    // side (on X, whole pixels: the odd one on the right and at the bottom).
    QPointF stageCorner() const
    {
        const double s = devicePixelRatioF();
        const QSizeF room = pixels_ ? QSizeF(pixels_->size()) : QSizeF(size()) * s;
        const QSizeF stage = QSizeF(Stage::kWidth, Stage::kHeight) * s;
        return {std::max(0.0, (room.width() - stage.width()) / 2), std::max(0.0, (room.height() - stage.height()) / 2)};
    }
    void placeStage()
    {
        // Qt's own place for it is the logical pixel nearest to the corner.
        const QPointF corner = stageCorner() / devicePixelRatioF();
        stage_->move(qRound(corner.x()), qRound(corner.y()));
        placeNatively();
    }
    void placeNatively()
    {
        if (pixels_ && stage_->parentWidget() == this && stage_->testAttribute(Qt::WA_WState_Created)) {
            const QPointF corner = stageCorner();
            x11::moveWindow(stage_, QPoint(int(corner.x()), int(corner.y())));
        }
    }
};

bool WithinTheScreen::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    const unsigned cut = x11::cutToScreen(type, message, [](unsigned window) {
        const QWidget *w = QWidget::find(WId(window));
        return w && w->isWindow();
    });
    if (cut && stage_->fillsScreen() && cut == stage_->shownWindow()->internalWinId() && x11::withoutWindowManager())
        static_cast<StageHost *>(stage_->shownWindow())->coverScreen();
    return false;
}

FullScreenWaitLimits &FullScreenWaits()
{
    static FullScreenWaitLimits limits;
    return limits;
}

bool Stage::fillScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->size().width() < kWidth || screen->size().height() < kHeight)
        return false;
    if (!host_) {
        const bool shown = isVisible();
        host_ = new StageHost(this);
        setVisible(shown);
    }
    host_->setGeometry(screen->geometry());
    host_->showFullScreen();
    host_->coverScreen();
    // The window system answers in its own time, a busy one seconds late:
    // the window is awaited until it shows, and a window that then does
    // not cover the screen within a while was refused.
    const auto shown = [&] { return host_->windowHandle()->isExposed(); };
    const auto covers = [&] { return shown() && host_->size() == screen->size(); };
    const auto await = [](const auto &done, std::chrono::milliseconds ms) {
        const QDeadlineTimer deadline(ms);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
            QThread::msleep(5);
        }
    };
    const EventWait waiting;
    await(shown, FullScreenWaits().shown);
    await(covers, FullScreenWaits().covers);
    if (!covers()) {
        qWarning("Full screen refused: the window %s, %dx%d on a screen of %dx%d", shown() ? "shown" : "never shown",
                 host_->width(), host_->height(), screen->size().width(), screen->size().height());
        leaveScreen();
        return false;
    }
    host_->activateWindow();
    return true;
}

void Stage::leaveScreen()
{
    if (!host_)
        return;
    // Out of the full-screen window the stage is a hidden window of its
    // own, shown with the next form shown, so an exit shows no window on
    // its way out.
    setParent(nullptr);
    setAttribute(Qt::WA_QuitOnClose);
    host_->hide();
    // The exit that leaves the screen may run inside the window's own click.
    host_->deleteLater();
    host_ = nullptr;
}

double Stage::scale() const
{
    return devicePixelRatioF();
}

QWidget *Stage::shownWindow()
{
    return host_ ? static_cast<QWidget *>(host_) : this;
}

QWidget *Stage::dialogParent()
{
    Stage *stage = instance();
    return stage->host_ ? stage->host_ : QApplication::activeWindow();
}

int Stage::runDialog(QDialog &dialog)
{
    // A dialog right after another may open before the window behind has
    // its focus back: then the control that had it last there. Either may
    // go while the dialog is open (the stage leaving the screen).
    QPointer<QWidget> behind = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (!focus && behind)
        focus = behind->focusWidget();
    Control::endPress();
    const int result = [&] {
        const EventWait waiting;
        return dialog.exec();
    }();
    if (focus && focus->isVisible())
        behind = focus->window();
    // Asked of the window itself: the closed dialog, its transient, may
    // still count as active, and then activateWindow() does nothing;
    // without a window manager no one else gives the focus back.
    if (behind && behind->isVisible() && behind->windowHandle())
        behind->windowHandle()->requestActivate();
    // The window's own focus may have moved meanwhile (code run during the
    // dialog): the control the pupil was typing in gets it back. One that
    // is no place to type any more (a picture clicked to change the screen,
    // a cell of a page that went behind another or away) leaves the keys to
    // the page the pupil now sees, where it put them as it came up.
    Form *front = instance()->frontPage();
    if (front && !(focus && focus->isVisible() && front->isAncestorOf(focus) && takesTyping(focus)))
        if (QWidget *own = front->activationFocus(); own && own->isVisible())
            focus = own;
    if (focus && focus->isVisible())
        focus->setFocus(Qt::ActiveWindowFocusReason);
    return result;
}

QPoint Stage::toScreen(QPoint stagePixel) const
{
    return host_ || !isVisible() ? stagePixel : mapToGlobal(stagePixel);
}

QPoint Stage::toStage(QPoint screenPixel) const
{
    return host_ || !isVisible() ? screenPixel : mapFromGlobal(screenPixel);
}

QPoint Stage::cursorPosition() const
{
    return host_ ? mapFromGlobal(QCursor::pos()) : QCursor::pos();
}

void Stage::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (host_ && e->type() == QEvent::WindowTitleChange)
        host_->setWindowTitle(windowTitle());
    else if (host_ && e->type() == QEvent::WindowIconChange)
        host_->setWindowIcon(windowIcon());
}

} // namespace platform
