// The generated files: every one the code names, as the program uses it,
// and the default data.
#include "support.h"

#include "exercise/frm_Game01.h"

#include <QSet>
#include <QTextStream>
#include <QtEndian>

using namespace ResourcesTest;

namespace {

// A path as the case-insensitive resolver finds it.
QString normalised(QString path) { return path.replace(QLatin1Char('\\'), QLatin1Char('/')).toLower(); }

// Every file the code names is generated once. Bitmaps have 24 bits a pixel
// and the manifest's size; those drawn round in the key colour, which the
// program cuts out, have it at a corner (on the right of a tab at the left
// screen edge, and at the pixel (1, 1) that a hint window cuts out), never
// mid-face. A cursor points with a drawn pixel. A sound is a PCM file, short
// enough for a click or hover and loud enough to hear.
TEST(ResourceFiles, EveryNameTheCodeUsesIsGeneratedAsTheProgramUsesIt)
{
    const QStringList keyed{"reveal", "side_tab", "side_tab_hi", "calc_panel", "notes_panel", "hint", "bubble"};
    QSet<QString> inManifest, used;
    for (const Resources::Entry &e : manifest()) {
        SCOPED_TRACE(e.path.toStdString());
        EXPECT_FALSE(inManifest.contains(normalised(e.path))) << "twice";
        inManifest.insert(normalised(e.path));
        const QString file = resourceDir() + QLatin1Char('/') + e.path;
        ASSERT_TRUE(QFile::exists(file));
        const QByteArray b = readAll(file);
        if (e.path.endsWith(QLatin1String(".bmp"))) {
            const QImage image(file);
            EXPECT_TRUE(b.startsWith("BM") && b.size() > 54 && qFromLittleEndian<quint16>(b.constData() + 28) == 24);
            EXPECT_EQ(image.size(), QSize(e.width, e.height));
            if (!keyed.contains(e.style))
                continue;
            const bool vlavo = e.style.startsWith(QLatin1String("side_tab")) && e.argument.endsWith(QLatin1String("left"));
            const QPoint roh = vlavo ? QPoint(e.width - 1, 0)
                                     : e.style == QLatin1String("hint") ? QPoint(1, 1) : QPoint(0, e.height - 1);
            EXPECT_EQ(image.pixel(roh) & 0xffffff, 0xff00ffu);
            EXPECT_NE(image.pixel(e.width / 2, e.height / 2) & 0xffffff, 0xff00ffu);
        } else if (e.style == QLatin1String("cursor")) {
            ASSERT_GE(b.size(), 22);
            const QPoint spicka(qFromLittleEndian<quint16>(b.constData() + 10), qFromLittleEndian<quint16>(b.constData() + 12));
            EXPECT_GT(qAlpha(QImage(file, "ico").pixel(spicka)), 0);
        } else if (e.style == QLatin1String("sound")) {
            ASSERT_GT(b.size(), 44);
            EXPECT_EQ(b.left(4) + b.mid(8, 4), "RIFFWAVE");
            EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 40) + 44, quint32(b.size()));
            EXPECT_LT((b.size() - 44) / 2.0 / qFromLittleEndian<quint32>(b.constData() + 24), 0.1);
            int peak = 0;
            for (int i = 44; i + 1 < b.size(); i += 2)
                peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(b.constData() + i))));
            EXPECT_GT(peak, 3000);
        }
    }
    QFile file(sourceFile(QStringLiteral("names-used.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    for (QTextStream in(&file); !in.atEnd();)
        if (const QString name = in.readLine().trimmed(); !name.isEmpty() && !name.startsWith(QLatin1Char('#'))) {
            used.insert(normalised(name));
            EXPECT_TRUE(inManifest.contains(normalised(name))) << "missing: " << name.toStdString();
        }
    for (const QString &path : inManifest)
        EXPECT_TRUE(used.contains(path)) << "named by no code: " << path.toStdString();
}

// The texts pass the code page with their Slovak letters and are scrambled
// on disk; every task has its titles, short enough for the columns of the
// results log, and its statement; the task file has its 21 sections in order.
TEST(DefaultData, TextsOfEveryTaskAndTheTaskSections)
{
    const QStringList texty = unscrambledLines(dataDir() + QStringLiteral("/Texty.dat"));
    const auto text = [&](int i) { return texty.value(i - 1); };
    for (const char *slovo : {"Naozaj chceš ukončiť program?", "Percentá a úmernosť", "Tlač pracovného listu"})
        EXPECT_TRUE(texty.contains(QString::fromUtf8(slovo))) << slovo;
    EXPECT_FALSE(readAll(dataDir() + QStringLiteral("/Texty.dat")).contains("Koniec")) << "scrambled";
    for (int uloha = 1; uloha <= 21; ++uloha)
        for (int varianta : uloha == 19 || uloha == 21 ? QList<int>{1, 2} : QList<int>{0}) {
            const auto n = frm_Game01::Nastavenie(QString::number(uloha), varianta);
            ASSERT_TRUE(n) << uloha;
            EXPECT_TRUE(!text(n->Skupina).isEmpty() && text(n->Skupina).size() <= 20) << uloha;
            EXPECT_TRUE(!text(n->Nazov).isEmpty() && text(n->Nazov).size() <= 30) << uloha;
            EXPECT_FALSE(text(n->Zadanie).trimmed().isEmpty()) << uloha;
        }
    QStringList oddiely;
    for (const QString &riadok : unscrambledLines(dataDir() + QStringLiteral("/Hra.dat")))
        if (riadok.startsWith(QLatin1Char('[')))
            oddiely << riadok;
    EXPECT_EQ(oddiely.size(), 22);
    for (int n = 1; n <= oddiely.size(); ++n)
        EXPECT_EQ(oddiely[n - 1], n <= 21 ? QStringLiteral("[%1]").arg(n) : QStringLiteral("[koniec]"));
}

} // namespace
