#pragma once
// The full-screen window the stage is shown in, and what the stage hears
// of the X server before Qt does: the window manager's close, and sizes
// beyond the screen.
#include <QWidget>

#include <memory>
#include <optional>

class QAbstractNativeEventFilter;

namespace platform {

class Stage;
class Unflushed;

// The black full-screen window. Qt places a child on whole logical pixels
// and sizes a window in them, which at a fractional scale is up to a few
// screen pixels off; on X the window and the stage (a native child there)
// are therefore placed in screen pixels, and a black window of the
// server's own under the stage covers what Qt's buffer does not reach.
class StageHost final : public QWidget {
public:
    explicit StageHost(Stage *stage);
    ~StageHost() override;
    // The window covers the screen to the last pixel.
    void coverScreen();

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *) override { placeStage(); }
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    Stage *stage_;
    std::optional<QRect> pixels_; // the screen in device pixels, where known
    unsigned mat_ = 0;
    std::unique_ptr<Unflushed> unflushed_;

    void showPagePointer();
    QPointF stageCorner() const;
    void placeStage();
    void placeNatively();
};

// On X: the window manager's close of the stage's window, heard while a
// dialog is open too.
std::unique_ptr<QAbstractNativeEventFilter> closeRequestFilter(Stage *stage);
// On X: no window of the program takes a size beyond the screen.
std::unique_ptr<QAbstractNativeEventFilter> withinTheScreenFilter(Stage *stage);

} // namespace platform
