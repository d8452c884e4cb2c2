#include "platform/Fonts.h"

#include "platform/ResourcePath.h"

#include <QFontDatabase>
#include <cmath>

namespace platform {

void registerBundledFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const char *file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        const QString path = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + file;
        if (QFontDatabase::addApplicationFont(path) < 0)
            qWarning("Font %s missing (package fonts-dejavu-core)", qPrintable(path));
    }
}

int registerFontFile(const QString &path)
{
    return QFontDatabase::addApplicationFont(resolvePath(path));
}

void unregisterFontFile(int id)
{
    if (id >= 0)
        QFontDatabase::removeApplicationFont(id);
}

QString mapFontFamily(const QString &name)
{
    if (name.isEmpty() || name.compare(kDesignFont, Qt::CaseInsensitive) == 0)
        return QStringLiteral("DejaVu Sans");
    return name;
}

int pointsToPixels(double points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

double pixelsToPoints(int pixels)
{
    return pixels * 72.0 / 96.0;
}

QFont makeFont(const QString &name, double points, bool bold)
{
    registerBundledFonts();
    QFont font(mapFontFamily(name));
    font.setPixelSize(std::max(1, pointsToPixels(points)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace platform
