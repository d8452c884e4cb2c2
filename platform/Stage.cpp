// The program's one window: the pages on it, the window manager's close,
// dialogs over it, and full screen. The whole program is drawn at the
// scale that lets the stage fill the screen (FullScreen.cpp, before the
// application starts), so the stage stays real widgets drawn at the
// screen's resolution, and dialogs and cursors grow with it; full screen
// is then a black window with the stage centred in it (StageHost.cpp).
#include "platform/Stage.h"

#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/DialogFit.h"
#include "platform/Form.h"
#include "platform/Runtime.h"
#include "platform/StageHost.h"
#include "platform/X11Screen.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>

namespace platform {

namespace {

QPointer<Stage> &theStage()
{
    static QPointer<Stage> stage;
    return stage;
}

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
        closeFilter_ = closeRequestFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(closeFilter_.get());
        sizeFilter_ = withinTheScreenFilter(this);
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
    Control::pressLost();
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
