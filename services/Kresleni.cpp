#include "services/Kresleni.h"

#include "platform/KeptForTheRun.h"

#include <QCache>
#include <QPainter>

namespace Misc {

namespace {

// Costs in KiB. The pictures of the screens on the way to an exercise and
// of the exercise screen itself fit; backgrounds of tasks left long ago give
// way, or a run through every task would keep some 90 MiB of bitmaps.
constexpr int Limit_obrazkov = 10 * 1024;
constexpr int Limit_pruhladnych = 8 * 1024;

int Cena(const QImage &obraz) { return int(std::max<qsizetype>(1, obraz.sizeInBytes() / 1024)); }

// The picture with its key-colour pixels made see-through, computed once
// per picture; QImage::cacheKey tells pictures apart and follows copies.
QImage Pruhledna_kopia(const platform::Picture &obrazek)
{
    static const platform::KeptForTheRun<QCache<qint64, QImage>> kopie(Limit_pruhladnych);
    const qint64 kluc = obrazek.image().cacheKey();
    if (const QImage *hotova = kopie->object(kluc))
        return *hotova;
    QImage kopia = obrazek.withTransparentKey();
    kopie->insert(kluc, new QImage(kopia), Cena(kopia));
    return kopia;
}

// Draws on the layer AutoRedraw does not select, then on the one it does:
// the surface ends as it was, with the drawing on both. Layers that are
// alike take it once, on the persistent one, which the screen copies.
template <class Kresba>
void Na_obe_vrstvy(platform::Canvas &ciel, Kresba kresli)
{
    const bool povodne = ciel.autoRedraw();
    if (ciel.layersAlike()) {
        ciel.setAutoRedraw(true);
        kresli(ciel.hDC());
        ciel.setAutoRedraw(povodne);
        return;
    }
    ciel.setAutoRedraw(!povodne);
    kresli(ciel.hDC());
    ciel.setAutoRedraw(povodne);
    kresli(ciel.hDC());
}

void Kresli_pruhladne(platform::Dc dc, int x, int y, const QImage &obraz)
{
    QPainter maliar(dc.image());
    maliar.drawImage(x, y, obraz);
    maliar.end();
    dc.changed(QRect(QPoint(x, y), obraz.size()));
}

} // namespace

platform::Picture Nacti_obrazek(const QString &cesta)
{
    static const platform::KeptForTheRun<QCache<QString, platform::Picture>> obrazky(Limit_obrazkov);
    // Keyed by the path as written, in one case and with one kind of
    // slash: a picture drawn again needs no look at the disk.
    const QString kluc = QString(cesta).replace(QLatin1Char('\\'), QLatin1Char('/')).toLower();
    if (const platform::Picture *nacitany = obrazky->object(kluc))
        return *nacitany;
    platform::Picture obrazek = platform::LoadPicture(cesta);
    // A missing file is not remembered: it may be there on the next call.
    if (!obrazek.isNull())
        obrazky->insert(kluc, new platform::Picture(obrazek), Cena(obrazek.image()));
    return obrazek;
}

void Vykresli_obrazek(const platform::Picture &obrazek, platform::Canvas &formular, int x, int y)
{
    Vykresli_obrazek_na_objekt(obrazek, formular, x, y, false);
}

void Vykresli_obrazek_roztazeny(const platform::Picture &obrazek, platform::Canvas &formular,
                                int x, int y, int sirka, int vyska)
{
    if (obrazek.isNull() || sirka <= 0 || vyska <= 0)
        return;
    Na_obe_vrstvy(formular, [&](platform::Dc) { formular.PaintPicture(obrazek, x, y, sirka, vyska); });
}

void Vykresli_obrazek_na_objekt(const platform::Picture &obrazek, platform::Canvas &objekt, int x,
                                int y, bool pruhledne)
{
    if (obrazek.isNull())
        return;
    if (!pruhledne) {
        Na_obe_vrstvy(objekt, [&](platform::Dc dc) { platform::DrawPicture(dc, x, y, obrazek); });
        return;
    }
    const QImage kopia = Pruhledna_kopia(obrazek);
    Na_obe_vrstvy(objekt, [&](platform::Dc dc) { Kresli_pruhladne(dc, x, y, kopia); });
}

void Vykresli_dc_na_formular(platform::Canvas &formular, int x, int y, int sirka, int vyska,
                             platform::Dc zdroj)
{
    if (!zdroj.image())
        return;
    // Callers may pass twips for pixels; beyond the source there is nothing
    // to copy, and copying it would blank the form.
    sirka = std::min(sirka, zdroj.image()->width());
    vyska = std::min(vyska, zdroj.image()->height());
    Na_obe_vrstvy(formular, [&](platform::Dc dc) {
        platform::BitBlt(dc, x, y, sirka, vyska, zdroj, 0, 0);
    });
}

void Vykresli_pruhledne(platform::Dc ciel, int x, int y, int sirka, int vyska, platform::Dc zdroj,
                        int zx, int zy, const QColor &klic)
{
    platform::TransparentBlt(ciel, x, y, sirka, vyska, zdroj, zx, zy, klic);
}

void Nastav_tvar_okna(platform::Form &formular, const QColor &farba)
{
    const QImage *obraz = formular.hDC().image();
    QRegion tvar(formular.rect());
    if (obraz)
        tvar -= QRegion(obraz->rect()) - platform::regionWithout(*obraz, farba);
    formular.setWindowRegion(tvar);
}

void Vykresli_ramecek(platform::Canvas &XForm, int X, int Y, int width, int height,
                      bool Set_AutoRedraw, const platform::Picture &Left_Graphic,
                      const platform::Picture &Middle_Graphic,
                      const platform::Picture &Right_Graphic)
{
    (void)height;
    XForm.setAutoRedraw(Set_AutoRedraw);
    if (!Left_Graphic.isNull())
        platform::DrawPicture(XForm.hDC(), X - 15, Y - 5, Left_Graphic);
    if (!Middle_Graphic.isNull() && width > 0)
        XForm.PaintPicture(Middle_Graphic, X, Y - 5, width, Middle_Graphic.Height());
    if (!Right_Graphic.isNull())
        platform::DrawPicture(XForm.hDC(), X + width, Y - 5, Right_Graphic);
}

} // namespace Misc
