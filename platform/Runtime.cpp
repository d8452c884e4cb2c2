#include "platform/Runtime.h"

#include "platform/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

void DoEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool SendKeys(const QString &keys)
{
    if (keys.compare(QLatin1String("{TAB}"), Qt::CaseInsensitive) != 0)
        return false;
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return true;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(target, &press);
    if (QWidget *now = QApplication::focusWidget())
        QApplication::sendEvent(now, &release);
    return true;
}

QPoint cursorPosition()
{
    return Stage::instance()->cursorPosition();
}

} // namespace platform
