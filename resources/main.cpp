// Builds the resource directory and the default data directory from the
// manifest and the plain sources next to it.
//   lk_resgen <source dir> <resource dir> <data dir> <stamp file>
#include "resources/Art.h"
#include "resources/DataFiles.h"
#include "resources/Manifest.h"
#include "resources/Synth.h"
#include "resources/Texts.h"
#include "resources/Writers.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <stdexcept>

namespace {

void loadCaptionFonts()
{
    // Captions look the same on every machine: the fonts come by path.
    for (const char *name : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif-Italic.ttf"})
        if (QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/") +
                                              QLatin1String(name)) < 0)
            throw std::runtime_error(std::string("missing font ") + name);
}

QPoint hotSpot(const QString &kind)
{
    return kind == QLatin1String("hand") ? QPoint(11, 1) : QPoint(1, 1);
}

void writeEntry(const Resources::Entry &e, const Resources::Art::Context &context, const QString &out)
{
    using namespace Resources;
    const QString file = out + QLatin1Char('/') + e.path;
    if (e.style == QLatin1String("font"))
        return; // made by make_font.py
    if (e.style == QLatin1String("icon"))
        return writeIcon({Art::drawIcon(32), Art::drawIcon(16)}, file);
    if (e.style == QLatin1String("cursor"))
        return writeCursor(Art::drawCursor(e.argument), hotSpot(e.argument), file);
    if (e.style == QLatin1String("sound"))
        return writeWav(e.argument == QLatin1String("click") ? Synth::click() : Synth::hover(),
                        Synth::Sample_rate, file);
    const QImage image = Art::drawPicture(e, context);
    if (image.isNull())
        throw std::runtime_error("manifest line " + std::to_string(e.line) + ": unknown style " +
                                 e.style.toStdString());
    writeBmp(image, file);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: lk_resgen <source dir> <resource dir> <data dir> <stamp>\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    try {
        loadCaptionFonts();
        const Resources::Texts texts(source + QLatin1String("/data/texty.txt"));
        Resources::Art::Context context;
        context.texts = &texts;
        context.helpPages = Resources::readHelpPages(source + QLatin1String("/data/help.txt"));
        for (const Resources::Entry &e : Resources::readManifest(source + QLatin1String("/manifest.txt")))
            writeEntry(e, context, QString::fromLocal8Bit(argv[2]));
        Resources::writeDataFiles(source, QString::fromLocal8Bit(argv[3]));
        Resources::writeBytes("done\n", QString::fromLocal8Bit(argv[4]));
    } catch (const std::exception &ex) {
        std::fprintf(stderr, "lk_resgen: %s\n", ex.what());
        return 1;
    }
    return 0;
}
