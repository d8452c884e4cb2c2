// The stage filling the screen: a full-screen graphics view shows the stage
// through a proxy, scaled as a whole, so text and shapes are drawn at the
// screen's size and the proxy maps the mouse back into stage pixels. A
// stage in a window of its own takes none of this path.
#include "platform/Form.h"

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QHash>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cmath>

namespace platform {

namespace {

class StageProxy final : public QGraphicsProxyWidget {
protected:
    // The proxy takes on the cursor of the control under the mouse; a
    // cursor picture grows with the stage, so its hot spot stays on the
    // same stage pixel.
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override
    {
        if (change == ItemCursorChange)
            return QVariant::fromValue(scaled(value.value<QCursor>()));
        return QGraphicsProxyWidget::itemChange(change, value);
    }

private:
    QHash<qint64, QCursor> cache_;

    QCursor scaled(const QCursor &cursor)
    {
        const QPixmap picture = cursor.pixmap();
        const double s = Stage::instance()->scale();
        if (cursor.shape() != Qt::BitmapCursor || picture.isNull() || s == 1.0)
            return cursor;
        if (cache_.size() > 32)
            cache_.clear(); // each MouseIcon assignment makes a new picture
        auto it = cache_.find(picture.cacheKey());
        if (it == cache_.end()) {
            const QSize size(qRound(picture.width() * s), qRound(picture.height() * s));
            it = cache_.insert(picture.cacheKey(),
                               QCursor(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                       int((cursor.hotSpot().x() + 0.5) * s), int((cursor.hotSpot().y() + 0.5) * s)));
        }
        return *it;
    }
};

} // namespace

class StageView final : public QGraphicsView {
public:
    explicit StageView(Stage *stage)
    {
        proxy_->setWidget(stage);
        scene_.addItem(proxy_);
        scene_.setSceneRect(0, 0, Stage::kWidth, Stage::kHeight);
        setScene(&scene_);
        // The screen around the stage stays plain, as the backdrop is.
        setBackgroundBrush(Qt::black);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        setWindowTitle(stage->windowTitle());
        setWindowIcon(stage->windowIcon());
    }
    // Shows now what the stage painted: a repaint, as a slide's frame,
    // reaches the screen before the wait that follows it.
    void paintNow()
    {
        QCoreApplication::sendPostedEvents(&scene_, QEvent::MetaCall);
        QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    }
    // The stage outlives its view: out of the proxy before the proxy goes,
    // which would delete it.
    void release() { proxy_->setWidget(nullptr); }

protected:
    void resizeEvent(QResizeEvent *e) override
    {
        QGraphicsView::resizeEvent(e);
        const double s = std::min(viewport()->width() / double(Stage::kWidth),
                                  viewport()->height() / double(Stage::kHeight));
        setTransform(QTransform::fromScale(s, s));
    }

private:
    QGraphicsScene scene_;
    StageProxy *proxy_ = new StageProxy;
};

bool Stage::fillScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->size().width() < kWidth || screen->size().height() < kHeight)
        return false;
    if (!view_) {
        // A window already on the screen goes into the proxy hidden.
        const bool shown = isVisible();
        hide();
        view_ = new StageView(this);
        setVisible(shown);
    }
    view_->setGeometry(screen->geometry());
    view_->showFullScreen();
    // The window system answers in its own time; a window that does not
    // cover the screen once it is shown was refused.
    const auto covers = [&] { return view_->windowHandle()->isExposed() && view_->size() == screen->size(); };
    const QDeadlineTimer deadline(2000);
    while (!covers() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        QThread::msleep(5);
    }
    if (!covers()) {
        leaveScreen();
        return false;
    }
    view_->activateWindow();
    return true;
}

void Stage::leaveScreen()
{
    if (!view_)
        return;
    const bool shown = isVisible();
    view_->release();
    view_->hide();
    // The exit that leaves the screen may run inside the view's own click.
    view_->deleteLater();
    view_ = nullptr;
    setAttribute(Qt::WA_QuitOnClose); // the proxy took it away
    // Out of the proxy the stage needs showing anew; the next form shown
    // does it, so an exit shows no window on its way out.
    if (shown)
        hide();
}

double Stage::scale() const
{
    return view_ ? view_->transform().m11() : 1.0;
}

QWidget *Stage::shownWindow()
{
    return view_ ? static_cast<QWidget *>(view_) : this;
}

QWidget *Stage::dialogParent()
{
    Stage *stage = instance();
    return stage->view_ ? stage->view_ : QApplication::activeWindow();
}

QWidget *Stage::focusedWidget()
{
    QWidget *focus = QApplication::focusWidget();
    Stage *stage = instance();
    return stage->view_ && focus == stage->view_ ? stage->focusWidget() : focus;
}

QPoint Stage::toScreen(QPoint stagePixel) const
{
    return view_ || !isVisible() ? stagePixel : mapToGlobal(stagePixel);
}

QPoint Stage::toStage(QPoint screenPixel) const
{
    return view_ || !isVisible() ? screenPixel : mapFromGlobal(screenPixel);
}

QPoint Stage::cursorPosition() const
{
    if (!view_)
        return QCursor::pos();
    const QPointF p = mapFromGlobal(QPointF(QCursor::pos()));
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

bool Stage::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (view_ && e->type() == QEvent::UpdateRequest)
        view_->paintNow();
    return handled;
}

void Stage::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (view_ && e->type() == QEvent::WindowTitleChange)
        view_->setWindowTitle(windowTitle());
    else if (view_ && e->type() == QEvent::WindowIconChange)
        view_->setWindowIcon(windowIcon());
}

} // namespace platform
