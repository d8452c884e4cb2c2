#include "platform/DialogFit.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>

namespace platform {

namespace {

// The frame a window system puts around a dialog. A window not yet shown
// may not know its own, so one like Qt's own guess for a dialog's is taken.
QMargins FrameOf(const QDialog &dialog)
{
    QMargins frame = dialog.windowHandle() ? dialog.windowHandle()->frameMargins() : QMargins();
    if (frame.isNull() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        frame = QMargins(5, 35, 5, 5);
    return frame;
}

// The dialog's content goes into a scroll area, its buttons stay below it:
// a dialog taller than the screen keeps its buttons in reach.
void Scroll(QDialog &dialog)
{
    QLayout *layout = dialog.layout();
    if (!layout || dialog.findChild<QScrollArea *>(QStringLiteral("lkDialogScroll"), Qt::FindDirectChildrenOnly))
        return;
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
    // Wide enough that only the height scrolls.
    const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    dialog.resize(content->sizeHint().width() + bar, dialog.height());
}

void Fit(QDialog &dialog)
{
    const QScreen *screen = dialog.screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QMargins frame = FrameOf(dialog);
    const QSize inside = (room - frame).size();
    if (dialog.minimumSizeHint().height() > inside.height() || dialog.minimumSizeHint().width() > inside.width())
        Scroll(dialog);
    const QSize size = dialog.size().boundedTo(inside);
    if (size != dialog.size())
        dialog.resize(size);
    // A window's position is its frame's.
    const QSize outside = size.grownBy(frame);
    const QPoint place(qBound(room.left(), dialog.x(), room.right() - outside.width() + 1),
                       qBound(room.top(), dialog.y(), room.bottom() - outside.height() + 1));
    if (place != dialog.pos())
        dialog.move(place);
}

// Fits a dialog as it is shown, and again when it grows while shown.
class ScreenFit final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Resize)
            return false;
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (!dialog || !dialog->isWindow() || fitting_ == dialog
            || (event->type() == QEvent::Resize && !dialog->isVisible()))
            return false;
        fitting_ = dialog;
        Fit(*dialog);
        fitting_ = nullptr;
        return false;
    }

private:
    QPointer<QDialog> fitting_;
};

} // namespace

void keepDialogsOnScreen()
{
    static QPointer<ScreenFit> filter;
    if (!filter && qApp) {
        filter = new ScreenFit(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace platform
