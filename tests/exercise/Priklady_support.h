#pragma once
// Helpers of the generator tests: numbers read back from what a screen
// shows, where a picture stands on it, and the picture of a generated
// screen for a person to look at.
#include "support/Atrament.h"
#include "support/Hra.h"
#include "expr/NumberText.h"
#include "expr/Random.h"
#include "platform/Fonts.h"
#include "platform/Random.h"

#include <QDir>
#include <QTest>
#include <cmath>
#include <optional>

namespace priklady_test {

// A number as the pupil reads it; NaN when the text is none.
inline double Cislo(const QString &text)
{
    const auto v = ParseNumber(text);
    return v ? *v : std::nan("");
}

// Where a picture stands whole on the form's persistent image, its corner
// within `oblast`: nothing drawn over it, none of it cut.
inline std::optional<QPoint> Kde_je_obrazok(const QImage &forma, const QImage &obr, const QRect &oblast)
{
    const QImage hladany = obr.convertToFormat(QImage::Format_RGB32);
    for (int y = oblast.top(); y <= oblast.bottom(); ++y)
        for (int x = oblast.left(); x <= oblast.right(); ++x)
            if (!obr.isNull() && forma.pixel(x, y) == hladany.pixel(0, 0)
                && forma.copy(QRect(QPoint(x, y), obr.size())).convertToFormat(QImage::Format_RGB32) == hladany)
                return QPoint(x, y);
    return std::nullopt;
}

// The screen as the pupil sees it, into build/screens/<meno>.png.
inline void Uloz_obrazovku(platform::Form &f, const QString &meno)
{
    platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
    const QString adresar = QStringLiteral(LK_BUILD_DIR "/screens");
    QDir().mkpath(adresar);
    f.Show();
    (void)QTest::qWaitForWindowExposed(platform::Stage::instance());
    const QString subor = adresar + QLatin1Char('/') + meno + QStringLiteral(".png");
    EXPECT_TRUE(platform::Stage::instance()->grab().save(subor)) << subor.toStdString();
    f.Hide();
}

} // namespace priklady_test
