#include "platform/DialogFit.h"

#include "platform/X11Screen.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>
#include <cmath>
#include <utility>

namespace platform {

namespace {

// The frame a window manager puts around a dialog; none without one. A
// window not yet shown may not know its own, so one like Qt's own guess for
// a dialog's is taken. Qt works a frame out from the window's size on the
// server, which is not the size Qt took where that was cut to the screen:
// a frame that leaves no room inside it is none it could have.
QMargins FrameOf(const QDialog &dialog, QSize room)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen") || x11::withoutWindowManager())
        return {};
    const QMargins frame = dialog.windowHandle() ? dialog.windowHandle()->frameMargins() : QMargins();
    const bool real = frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0
        && !room.shrunkBy(frame).isEmpty();
    return real && !frame.isNull() ? frame : QMargins(5, 35, 5, 5);
}

bool Scrolls(const QDialog &dialog)
{
    return dialog.findChild<QScrollArea *>(QStringLiteral("lkDialogScroll"), Qt::FindDirectChildrenOnly);
}

// The dialog's content goes into a scroll area, its buttons stay below it:
// a dialog taller than the screen keeps its buttons in reach.
void Scroll(QDialog &dialog)
{
    QLayout *layout = dialog.layout();
    if (!layout || Scrolls(dialog))
        return;
    // A message box's text keeps the width it was wrapped to.
    auto *box = qobject_cast<QMessageBox *>(&dialog);
    const int textWidth = dialog.width();
    QDialogButtonBox *buttons = nullptr;
    for (int i = 0; i < layout->count() && !buttons; ++i)
        buttons = qobject_cast<QDialogButtonBox *>(layout->itemAt(i)->widget());
    if (buttons)
        layout->removeWidget(buttons);
    const QMargins margins = layout->contentsMargins();
    auto *content = new QWidget;
    // Takes the layout, and the widgets in it, from the dialog.
    content->setLayout(layout);
    layout->setContentsMargins(margins.left(), margins.top(), margins.right(), 0);
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("lkDialogScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *outer = new QVBoxLayout(&dialog);
    outer->setContentsMargins(0, 0, 0, buttons ? margins.bottom() : 0);
    outer->addWidget(scroll);
    if (buttons) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(margins.left(), 0, margins.right(), 0);
        row->addWidget(buttons);
        outer->addLayout(row);
    }
    scroll->show();
    // A message box fixes its own size.
    dialog.setMinimumSize(0, 0);
    dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // Wide enough that only the height scrolls.
    const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    dialog.resize((box ? textWidth : content->sizeHint().width()) + bar, dialog.height());
}

// Qt tells the window manager that a window's size goes in steps of one
// logical pixel, at a fractional scale two or more screen pixels, and one
// that keeps to them rounds a size between two steps down: a message box
// would lose a pixel of its text. It is given a size the steps keep.
int KeptByStep(int size, qreal scale)
{
    const int step = qRound(scale);
    const auto kept = [&](int logical) {
        const int pixels = qRound(logical * scale);
        return qRound((pixels - pixels % step) / scale);
    };
    while (step > 1 && kept(size) < size)
        ++size;
    return size;
}

// A message box has wrapped its text to a width of its own as it was shown.
// One wider than the room is narrowed to it; one taller is made as much
// wider as lets it fit, and scrolls only when even that would not do.
void FitText(QMessageBox &box, QSize inside)
{
    QLayout *layout = box.layout();
    const auto heightAt = [&](int width) {
        return layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : box.height();
    };
    int width = qMin(box.width(), inside.width());
    int height = width == box.width() ? box.height() : heightAt(width);
    if (height > inside.height() && width < inside.width() && heightAt(inside.width()) <= inside.height()) {
        int fits = inside.width(); // and `width` does not
        while (fits - width > 1) {
            const int middle = (width + fits) / 2;
            if (heightAt(middle) <= inside.height())
                fits = middle;
            else
                width = middle;
        }
        width = fits, height = heightAt(fits);
    }
    if (height > inside.height()) {
        box.setFixedSize(width, height);
        Scroll(box);
        return;
    }
    const qreal scale = box.devicePixelRatioF();
    const QSize size(qMin(KeptByStep(width, scale), inside.width()), qMin(KeptByStep(height, scale), inside.height()));
    if (size != box.size())
        box.setFixedSize(size);
}

// `askWindow`: the window has a size other than the dialog's (one Qt did
// not hand on), and is asked for the dialog's fitted size and place.
void Fit(QDialog &dialog, bool askWindow = false)
{
    const QScreen *screen = dialog.screen();
    if (!screen)
        return;
    QRect room = screen->availableGeometry();
    // At a fractional scale the screen's logical size is rounded, and so is
    // each window's place and size: a logical pixel's margin keeps every
    // screen pixel of the dialog on the screen.
    if (const qreal scale = dialog.devicePixelRatioF(); scale != std::floor(scale))
        room -= QMargins(1, 1, 1, 1);
    const QMargins frame = FrameOf(dialog, room.size());
    const QSize inside = (room - frame).size();
    const QSize before = dialog.size();
    auto *box = qobject_cast<QMessageBox *>(&dialog);
    if (box && !Scrolls(*box))
        FitText(*box, inside);
    else if (dialog.minimumSizeHint().height() > inside.height() || dialog.minimumSizeHint().width() > inside.width())
        Scroll(dialog);
    const QSize size = dialog.size().boundedTo(inside);
    if (size != dialog.size())
        dialog.resize(size);
    // A window's position is its frame's; one that changed size here keeps
    // its middle where it was.
    const QSize outside = size.grownBy(frame);
    const QPoint at = dialog.pos() + QPoint(before.width() - size.width(), before.height() - size.height()) / 2;
    const QPoint place(qBound(room.left(), at.x(), room.right() - outside.width() + 1),
                       qBound(room.top(), at.y(), room.bottom() - outside.height() + 1));
    if (!askWindow) {
        if (place != dialog.pos())
            dialog.move(place);
    } else if (QWindow *window = dialog.windowHandle()) {
        // Qt moves a window at the size it last heard of it, not at the
        // dialog's: both asked at once.
        window->setGeometry(QRect(place + dialog.geometry().topLeft() - dialog.pos(), size));
    }
}

// A window manager that grants a dialog its fitting and puts a size beyond
// the screen back a moment later would be asked for the fitting again and
// again without end. After a few fittings undone so in a row, or a few more
// undone however late, the dialog keeps the window manager's size, which Qt
// has cut to the screen, until it is shown again.
constexpr char kGrantedAt[] = "lkSizeGrantedAt", kUndone[] = "lkFittingsUndone",
               kUndoneAll[] = "lkFittingsUndoneAll";
constexpr qint64 kUndoneWithinMs = 400;
constexpr int kUndoneAtMost = 3, kUndoneLateAtMost = 5;

qint64 Now()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

bool LeftToWindowManager(const QDialog &dialog)
{
    return dialog.property(kUndone).toInt() > kUndoneAtMost || dialog.property(kUndoneAll).toInt() > kUndoneLateAtMost;
}

// Fits a dialog as it is shown, and again when it grows while shown or
// its window has a size Qt did not hand it.
class ScreenFit final : public QObject {
public:
    using QObject::QObject;
    void fitAgain(QDialog &dialog)
    {
        const QPointer<QDialog> outer = std::exchange(fitting_, &dialog);
        Fit(dialog, true);
        fitting_ = outer;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Resize && type != QEvent::LayoutRequest)
            return false;
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (!dialog || !dialog->isWindow())
            return false;
        if (type == QEvent::LayoutRequest) {
            // A message box shown sizes itself anew at each, from its text
            // alone (as if it were not in a scroll area): its fitting would
            // be undone. It is laid out at the size it has.
            if (!qobject_cast<QMessageBox *>(dialog) || !dialog->isVisible())
                return false;
            dialog->layout()->activate();
            return true;
        }
        if (fitting_ == dialog || (type == QEvent::Resize && (!dialog->isVisible() || LeftToWindowManager(*dialog))))
            return false;
        if (type == QEvent::Show)
            for (const char *p : {kGrantedAt, kUndone, kUndoneAll})
                dialog->setProperty(p, QVariant());
        // A message box's size is its own: one the window manager changed
        // is left as it is, lest the two take turns at it.
        if (type == QEvent::Resize && event->spontaneous() && qobject_cast<QMessageBox *>(dialog))
            return false;
        const QPointer<QDialog> fitted(dialog), outer = std::exchange(fitting_, dialog);
        // The dialog sizes and places itself as it is shown (a message box
        // wraps its text then); it is fitted after that, before it is seen.
        const bool shown = type == QEvent::Show;
        if (shown)
            QCoreApplication::sendEvent(dialog, event);
        if (fitted)
            Fit(*fitted);
        fitting_ = outer;
        return shown;
    }

private:
    QPointer<QDialog> fitting_;
};

QPointer<ScreenFit> screenFit;

} // namespace

void keepDialogsOnScreen()
{
    if (!screenFit && qApp) {
        screenFit = new ScreenFit(qApp);
        qApp->installEventFilter(screenFit);
    }
}

void fitAgain(QDialog &dialog)
{
    if (screenFit && dialog.isVisible() && !LeftToWindowManager(dialog))
        screenFit->fitAgain(dialog);
}

void sizedByWindowManager(QDialog &dialog, bool beyondScreen)
{
    const QVariant granted = dialog.property(kGrantedAt);
    if (!beyondScreen) {
        if (!granted.isValid())
            dialog.setProperty(kGrantedAt, Now());
        return;
    }
    // A server tells a size more than once (a reparenting window manager's
    // own notice beside the server's): counted once.
    if (!granted.isValid())
        return;
    const bool undone = Now() - granted.toLongLong() < kUndoneWithinMs;
    dialog.setProperty(kUndone, undone ? dialog.property(kUndone).toInt() + 1 : 0);
    dialog.setProperty(kUndoneAll, dialog.property(kUndoneAll).toInt() + 1);
    dialog.setProperty(kGrantedAt, QVariant());
}

} // namespace platform
