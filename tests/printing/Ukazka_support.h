#pragma once
// Sample worksheet pages for a person to look at.
#include "Tlac_support.h"

#include "expr/Zapis_vyrazu.h"
#include "platform/Fonts.h"
#include "printing/Pracovni_list.h"
#include "printing/Stranka.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>

#include <functional>

namespace ukazka {

inline const QString vystup = QStringLiteral(LK_BUILD_DIR "/print");

inline QString Z(const char *vnutorny) { return ::Preved_na_zobrazeni(QString::fromUtf8(vnutorny)); }

// The frame and the statement of a page as the worksheet driver prints
// them; the y at which the example column begins.
inline qint16 Vytlac_ramec(const char *skupina, const char *nazov, const char *zadanie, int strana)
{
    using namespace Misc;
    platform::Printer &p = platform::services().printer();
    p.SetFontName(QStringLiteral("MS Sans Serif"));
    Rozdel_text_do_radku(QString::fromUtf8(zadanie), 190, Radky_zadani[1], Radky_zadani[2], Radky_zadani[3],
                         Radky_zadani[4], Radky_zadani[5]);
    p.SetFontSize(12);
    Vytiskni_hlavicku(QString::fromUtf8(skupina), QString::fromUtf8(nazov), QStringLiteral("Ľudmila Šťastná"),
                      QStringLiteral(" %1").arg(strana));
    qint16 Y = 0;
    Vytiskni_zadani(Radky_zadani[1], Radky_zadani[2], Radky_zadani[3], Radky_zadani[4], Radky_zadani[5], Y);
    return Y;
}

// Draws the recorded operations of one page on a white A4 page at 150 dpi,
// as the device draws them: the text position is its top-left corner.
inline QImage Obrazok_strany(const QList<platform::PrintOp> &ops, float sirka, float vyska)
{
    using platform::PrintOp;
    constexpr double dpi = 150;
    QImage obraz(int(210 / 25.4 * dpi), int(297 / 25.4 * dpi), QImage::Format_RGB32);
    obraz.setDotsPerMeterX(int(dpi / 0.0254));
    obraz.setDotsPerMeterY(int(dpi / 0.0254));
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    const double kx = obraz.width() / double(sirka), ky = obraz.height() / double(vyska);
    for (const PrintOp &op : ops) {
        p.setPen(op.color);
        if (op.kind == PrintOp::Line)
            p.drawLine(QPointF(op.x * kx, op.y * ky), QPointF(op.x2 * kx, op.y2 * ky));
        if (op.kind != PrintOp::Text)
            continue;
        QFont pismo(platform::mapFontFamily(op.fontName));
        pismo.setPointSizeF(op.fontSize);
        pismo.setBold(op.bold);
        pismo.setItalic(op.italic);
        p.setFont(pismo);
        p.drawText(QPointF(op.x * kx, op.y * ky + QFontMetricsF(pismo, &obraz).ascent()), op.text);
    }
    return obraz;
}

// Prints the pages of `vytlac` (each closed by NewPage) into <meno>.pdf on
// the real printer and <meno>_<page>.png drawn from what was recorded with
// the same measures, under build/print/.
inline void Uloz(const QString &meno, int strany, const std::function<void()> &vytlac)
{
    tlac_test::Zaregistruj_ruvo();
    platform::FakeClock hodiny;
    platform::ScopedService<platform::Clock> g1(hodiny);
    Misc::Texty[32] = QStringLiteral("Dátum");
    ASSERT_TRUE(QDir().mkpath(vystup));
    const QString pdf = vystup + QLatin1Char('/') + meno + QStringLiteral(".pdf");
    QFile::remove(pdf);
    {
        platform::PrinterDevice zariadenie(false);
        zariadenie.SetOutputFileName(pdf);
        platform::ScopedService<platform::Printer> g2(zariadenie);
        vytlac();
        zariadenie.EndDoc();
    }
    EXPECT_GT(QFileInfo(pdf).size(), 10000) << "a PDF with text in the bundled faces";

    tlac_test::Meriaca_tlaciaren zaznam;
    platform::ScopedService<platform::Printer> g3(zaznam);
    vytlac();
    int strana = 0;
    QList<platform::PrintOp> ops;
    for (const platform::PrintOp &op : zaznam.Ops()) {
        if (op.kind != platform::PrintOp::NewPage) {
            ops.append(op);
            continue;
        }
        const QString png = vystup + QStringLiteral("/%1_%2.png").arg(meno).arg(++strana);
        EXPECT_TRUE(Obrazok_strany(ops, zaznam.Width(), zaznam.Height()).save(png)) << png.toStdString();
        ops.clear();
    }
    EXPECT_EQ(strana, strany);
    Misc::Texty[32].clear();
    Misc::Cislo_tisteneho_prikladu = 0;
}

} // namespace ukazka
