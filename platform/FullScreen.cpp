// The stage filling the screen. The whole program is drawn at the scale
// that lets the stage fill the screen (Qt's own high-DPI scaling, set
// before the first window exists), so the stage stays real widgets drawn
// at the screen's resolution, and dialogs and cursors grow with it; full
// screen is then a black window with the stage centred in it.
#include "platform/DisplayMode.h"
#include "platform/Form.h"

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cmath>
#include <numeric>
#include <vector>

namespace platform {

namespace {
// Factors are whole 32nds: exact in binary, so the stage covers whole
// screen pixels and the screen's size in stage pixels is never rounded
// below the stage's.
constexpr int kScaleSteps = 32;
} // namespace

double stageScaleFor(QSize screenPixels)
{
    const double fits = std::min(screenPixels.width() / double(Stage::kWidth),
                                 screenPixels.height() / double(Stage::kHeight));
    return std::max(1.0, std::floor(fits * kScaleSteps) / kScaleSteps);
}

void scaleToScreen(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    double platformFactor = 1, scale = 1;
    {
        // A short-lived application only to ask the screen's size; it takes
        // its own copy of the arguments, as it removes those it knows.
        std::vector<char *> args(argv, argv + argc + 1);
        int n = argc;
        const QGuiApplication probe(n, args.data());
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        platformFactor = screen->devicePixelRatio();
        scale = stageScaleFor((QSizeF(screen->size()) * platformFactor).toSize());
    }
    // A factor the platform already applies stays; ours comes on top.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale / platformFactor, 'g', 17));
}

class StageHost final : public QWidget {
public:
    explicit StageHost(Stage *stage) : stage_(stage)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setWindowTitle(stage->windowTitle());
        setWindowIcon(stage->windowIcon());
        stage->setParent(this);
    }

protected:
    // Centred, on a whole screen pixel so that the stage is drawn exactly
    // as in a window of its own.
    void resizeEvent(QResizeEvent *) override
    {
        const int step = std::max(1, kScaleSteps / std::gcd(kScaleSteps, qRound(devicePixelRatioF() * kScaleSteps)));
        const auto centred = [step](int room, int size) { return std::max(0, qRound((room - size) / 2.0 / step) * step); };
        stage_->move(centred(width(), Stage::kWidth), centred(height(), Stage::kHeight));
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
};

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
    // The window system answers in its own time; a window that does not
    // cover the screen once it is shown was refused.
    const auto covers = [&] { return host_->windowHandle()->isExposed() && host_->size() == screen->size(); };
    const QDeadlineTimer deadline(2000);
    while (!covers() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        QThread::msleep(5);
    }
    if (!covers()) {
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
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const int result = dialog.exec();
    if (focus && focus->isVisible()) {
        focus->activateWindow();
        focus->setFocus(Qt::ActiveWindowFocusReason);
    }
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
