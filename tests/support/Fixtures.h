#pragma once
// Helpers shared by every test that drives forms.
#include "platform/Form.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable failure messages for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace lktest {

// A page form shown on the stage, so focus and painting behave as in use.
inline void showAndActivate(platform::Form *form)
{
    form->Show();
    QWidget *stage = platform::Stage::instance();
    stage->activateWindow();
    QApplication::setActiveWindow(stage);
    (void)QTest::qWaitForWindowExposed(stage);
}

inline QImage solid(int w, int h, const QColor &c)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

} // namespace lktest
