// The full-screen window the stage is shown in, and the filters of the X
// server's events that the stage needs before Qt takes them.
#include "platform/StageHost.h"

#include "platform/DialogFit.h"
#include "platform/Form.h"
#include "platform/Stage.h"
#include "platform/X11Screen.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QDialog>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace platform {

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

StageHost::StageHost(Stage *stage) : stage_(stage)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setWindowTitle(stage->windowTitle());
    setWindowIcon(stage->windowIcon());
    if (x11::running()) {
        pixels_ = x11::primaryScreenPixels();
        stage->setAttribute(Qt::WA_NativeWindow);
        unflushed_ = std::make_unique<Unflushed>(this, stage);
    }
    stage->setParent(this);
    stage->installEventFilter(this);
    for (QObject *page : stage->children())
        page->installEventFilter(this);
    showPagePointer();
}

StageHost::~StageHost() = default;

void StageHost::coverScreen()
{
    if (!pixels_)
        return;
    x11::placeWindow(this, *pixels_);
    if (!mat_)
        mat_ = x11::coverWithBlack(this, pixels_->size());
    placeStage();
}

bool StageHost::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    // The window's update paints and flushes all that changed at once.
    if (e->type() == QEvent::UpdateRequest && unflushed_)
        unflushed_->put();
    return handled;
}

void StageHost::closeEvent(QCloseEvent *e)
{
    e->ignore();
    stage_->requestClose();
}

bool StageHost::eventFilter(QObject *o, QEvent *e)
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
void StageHost::paintEvent(QPaintEvent *e)
{
    QPainter(this).fillRect(e->rect(), Qt::black);
}

// Off the stage the page in front hears the pointer's moves, as it
// would beyond its own controls, so hovered faces go out.
void StageHost::mouseMoveEvent(QMouseEvent *e)
{
    Form *page = stage_->frontPage();
    if (!page)
        return;
    QMouseEvent move(QEvent::MouseMove, page->mapFrom(this, e->position()), e->globalPosition(), Qt::NoButton,
                     e->buttons(), e->modifiers());
    QCoreApplication::sendEvent(page, &move);
}

// The pointer on the black is the page's own, at the stage's scale: it
// follows the page in front and every change of the page's pointer.
void StageHost::showPagePointer()
{
    const Form *page = stage_->frontPage();
    if (page && page->testAttribute(Qt::WA_SetCursor))
        setCursor(page->cursor());
    else
        unsetCursor();
}

// The stage's corner in screen pixels, centred: half the room on each
// side (on X, whole pixels: the odd one on the right and at the bottom).
QPointF StageHost::stageCorner() const
{
    const double s = devicePixelRatioF();
    const QSizeF room = pixels_ ? QSizeF(pixels_->size()) : QSizeF(size()) * s;
    const QSizeF stage = QSizeF(Stage::kWidth, Stage::kHeight) * s;
    return {std::max(0.0, (room.width() - stage.width()) / 2), std::max(0.0, (room.height() - stage.height()) / 2)};
}

void StageHost::placeStage()
{
    // Qt's own place for it is the logical pixel nearest to the corner.
    const QPointF corner = stageCorner() / devicePixelRatioF();
    stage_->move(qRound(corner.x()), qRound(corner.y()));
    placeNatively();
}

void StageHost::placeNatively()
{
    if (pixels_ && stage_->parentWidget() == this && stage_->testAttribute(Qt::WA_WState_Created)) {
        const QPointF corner = stageCorner();
        x11::moveWindow(stage_, QPoint(int(corner.x()), int(corner.y())));
    }
}

namespace {

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
// meanwhile. No window of the program takes more than the screen, and
// where no window manager runs, none stays beyond it on the server: the
// full-screen window is put back onto the screen, any other where Qt has
// it. Where one runs, a dialog is fitted to the screen as it takes the
// size, and also where Qt has not handed the size on; one whose fitting
// the window manager keeps undoing is left at its size (DialogFit.h).
class WithinTheScreen final : public QAbstractNativeEventFilter {
    static constexpr char kAskedAgain[] = "lkSizeAskedAgain";

public:
    explicit WithinTheScreen(Stage *stage) : stage_(stage) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override;

private:
    Stage *stage_;
};

bool WithinTheScreen::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    const auto window = [](unsigned id) {
        QWidget *w = QWidget::find(WId(id));
        return w && w->isWindow() ? w : nullptr;
    };
    const unsigned cut = x11::cutToScreen(type, message, [&](unsigned id) { return window(id) != nullptr; });
    const bool placedBack = x11::withoutWindowManager();
    QWidget *sized = window(cut ? cut : x11::configuredWindowOf(type, message));
    if (auto *dialog = qobject_cast<QDialog *>(sized); dialog && !placedBack)
        sizedByWindowManager(*dialog, cut != 0);
    if (!cut) {
        if (sized)
            sized->setProperty(kAskedAgain, QVariant());
        return false;
    }
    if (stage_->fillsScreen() && cut == stage_->shownWindow()->internalWinId()) {
        if (placedBack)
            static_cast<StageHost *>(stage_->shownWindow())->coverScreen();
    } else if (QWidget *w = window(cut)) {
        // Once Qt has taken the size (a dialog fitted to the screen then).
        QTimer::singleShot(0, w, [w, placedBack] {
            if (placedBack) {
                x11::placeAsQtHasIt(w);
                return;
            }
            // Qt hands a widget a size only where it differs from the one
            // it heard last, and of a window's notices that came together
            // it hears the last alone: a window manager's answer to the
            // fitting, come together with a size beyond the screen, left
            // the dialog fitted in Qt and beyond the screen on the server,
            // cut to the size heard before. It is fitted anew; once until
            // a size within the screen is heard, as a window manager that
            // holds a window beyond the screen answers every request so,
            // and not once the window manager keeps undoing its fitting.
            auto *dialog = qobject_cast<QDialog *>(w);
            const QWindow *shown = w->windowHandle();
            if (!dialog || !shown || w->size() == shown->size() || w->property(kAskedAgain).toBool())
                return;
            w->setProperty(kAskedAgain, true);
            fitAgain(*dialog);
        });
    }
    return false;
}

} // namespace

std::unique_ptr<QAbstractNativeEventFilter> closeRequestFilter(Stage *stage)
{
    return std::make_unique<WindowManagerClose>(stage);
}

std::unique_ptr<QAbstractNativeEventFilter> withinTheScreenFilter(Stage *stage)
{
    return std::make_unique<WithinTheScreen>(stage);
}

} // namespace platform
