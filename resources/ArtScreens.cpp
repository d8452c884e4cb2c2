// The 640 x 480 backgrounds and pages, composed around the places where the
// screens put their controls, and the task emblems, cursors and icon.
#include "resources/Art.h"
#include "resources/ArtKit.h"
#include "resources/Texts.h"

#include <QFileInfo>
#include <QHash>
#include <QPainterPath>
#include <stdexcept>

namespace Resources::Art {

namespace {

const QColor Translucent(255, 255, 255, 40);

void backdrop(QPainter &p)
{
    Art::backdrop(p, QRectF(0, 0, 640, 480));
}

// The title area of the chooser, setup and results screens (5, 6, 539 x 75).
void titleArea(QPainter &p, const QString &small, const QString &big, const QString &hint)
{
    panel(p, QRectF(5, 6, 539, 75), Palette::Paper, 12, Palette::Glow);
    fittedText(p, QRectF(18, 10, 512, 20), small, captionFont(14), Qt::AlignLeft | Qt::AlignVCenter,
               Palette::Sky);
    fittedText(p, QRectF(18, 30, 512, 32), big, captionFont(26), Qt::AlignLeft | Qt::AlignVCenter,
               Palette::Night);
    fittedText(p, QRectF(18, 62, 512, 16), hint, captionFont(11, false),
               Qt::AlignRight | Qt::AlignVCenter, Palette::Orange.darker(120));
}

void label(QPainter &p, const QRectF &r, const QString &text, double px = 16,
           int flags = Qt::AlignLeft | Qt::AlignVCenter, const QColor &colour = Qt::white)
{
    fittedText(p, r, text, captionFont(px), flags | Qt::TextWordWrap, colour);
}

QString line(const QString &caption, int index)
{
    const QStringList lines = caption.split(QLatin1Char('\n'));
    return index < lines.size() ? lines[index] : QString();
}

void selectScreen(QPainter &p, const QString &caption)
{
    backdrop(p);
    titleArea(p, QStringLiteral("Cvičenia z algebry"), caption, QStringLiteral("Klikni sem: o programe"));
    label(p, QRectF(12, 92, 296, 26), QStringLiteral("1. Vyber si skupinu úloh"));
    label(p, QRectF(337, 92, 296, 26), QStringLiteral("2. Vyber si úlohu"));
    panel(p, QRectF(328, 130, 310, 318), Translucent, 14);
    label(p, QRectF(350, 250, 266, 80), QStringLiteral("Najprv klikni vľavo na skupinu úloh."), 16,
          Qt::AlignCenter);
}

void namePanel(QPainter &p, int cellTop)
{
    panel(p, QRectF(368, cellTop - 24, 234, 52), Palette::Paper, 10);
    label(p, QRectF(381, cellTop - 22, 195, 20), QStringLiteral("Tvoje meno:"), 13,
          Qt::AlignLeft | Qt::AlignVCenter, Palette::Night);
    p.save();
    p.setPen(QPen(Palette::Sky, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(379.5, cellTop - 1.5, 198, 23));
    p.restore();
}

void dialPanel(QPainter &p)
{
    panel(p, QRectF(22, 246, 242, 206), Palette::Paper, 14);
    p.save();
    p.setPen(QPen(Palette::Sheet.darker(115), 10));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(141, 349), 80, 80);
    p.restore();
    label(p, QRectF(28, 410, 90, 38), QStringLiteral("Počet\npríkladov"), 12,
          Qt::AlignLeft | Qt::AlignVCenter, Palette::Night);
}

void stepsPanel(QPainter &p, const QRectF &r, bool variant)
{
    panel(p, r, Translucent, 12);
    const QString steps = variant
        ? QStringLiteral("1. Napíš meno.\n2. Vyber variant.\n3. Vyber počet.\n4. Pokračuj alebo tlač.")
        : QStringLiteral("1. Napíš svoje meno.\n2. Vyber počet príkladov.\n3. Klikni na „Pokračuj“ alebo na „Tlač“.");
    // No wrapping: each step keeps its own line, the font shrinks instead.
    fittedText(p, r.adjusted(12, 8, -12, -8), steps, captionFont(15), Qt::AlignLeft | Qt::AlignVCenter, Qt::white);
}

void setupScreen(QPainter &p, const QString &argument, const QString &caption, const QString &task)
{
    backdrop(p);
    titleArea(p, line(caption, 0), line(caption, 1), QStringLiteral("Klikni sem: ako nastaviť cvičenie"));
    const bool variant = argument.section(QLatin1Char(':'), 0, 0) == QLatin1String("variant");
    dialPanel(p);
    namePanel(p, variant ? 358 : 333);
    panel(p, QRectF(368, 400, 234, 42), Palette::Paper, 10);
    label(p, QRectF(378, 402, 178, 38), QStringLiteral("Najprv ukáž nápovedu"), 13,
          Qt::AlignLeft | Qt::AlignVCenter, Palette::Night);
    if (!variant) {
        panel(p, QRectF(15, 100, 262, 140), Translucent, 12);
        drawLogo(p, QRectF(86, 110, 120, 120), argument.section(QLatin1Char(':'), 1));
        stepsPanel(p, QRectF(290, 100, 340, 140), false);
        return;
    }
    // The variant buttons and their marker sit on one panel.
    panel(p, QRectF(326, 237, 278, 96), Palette::Paper, 10);
    const QRectF choice = task == QLatin1String("19") ? QRectF(15, 111, 300, 130) : QRectF(243, 120, 380, 118);
    panel(p, choice, Translucent, 12, Palette::Glow);
    label(p, choice.adjusted(12, 8, -12, -8), QStringLiteral("Vyber variant úlohy:\na) alebo b)"), 18,
          Qt::AlignCenter);
    stepsPanel(p, task == QLatin1String("19") ? QRectF(330, 100, 300, 130) : QRectF(15, 100, 220, 140), true);
}

void tabScreen(QPainter &p, const QString &caption)
{
    backdrop(p);
    titleArea(p, QStringLiteral("Výsledky – ") + line(caption, 0), line(caption, 1), QString());
    panel(p, QRectF(20, 118, 606, 350), Palette::Paper, 12);
    struct Column { int left, width; const char *title; };
    static const Column columns[] = {{26, 62, "Poradie"}, {91, 260, "Meno"}, {376, 70, "Správne"},
                                     {456, 86, "Nesprávne"}, {544, 70, "Známka"}};
    for (const Column &c : columns)
        label(p, QRectF(c.left, 126, c.width, 28), QString::fromUtf8(c.title), 13, Qt::AlignCenter,
              Palette::Night);
    for (int i = 0; i < 10; ++i)
        if (i % 2 == 0)
            p.fillRect(QRectF(26, 160 + 30 * i, 594, 30), Palette::Sheet);
    p.setPen(QPen(Palette::Sky, 2));
    p.drawLine(QPointF(26, 158), QPointF(620, 158));
}

void gameScreen(QPainter &p, const QString &kind, const QString &caption)
{
    Art::backdrop(p, QRectF(0, 0, 640, 83), 83);
    p.fillRect(QRectF(0, 83, 640, 372), Palette::Sheet);
    verticalGradient(p, QRectF(0, 455, 640, 25), Palette::Night, Palette::Night.lighter(130));
    if (kind.isEmpty())
        return;
    // The task logo (6..232, 6..72): a click on it opens the help page.
    panel(p, QRectF(6, 6, 226, 66), Palette::Paper, 10, Palette::Glow);
    drawLogo(p, QRectF(12, 11, 56, 56), kind);
    fittedText(p, QRectF(74, 10, 152, 42), line(caption, 1), captionFont(15),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, Palette::Night);
    fittedText(p, QRectF(74, 52, 152, 16), QStringLiteral("? nápoveda"), captionFont(10, false),
               Qt::AlignLeft | Qt::AlignVCenter, Palette::Orange.darker(120));
}

void titleScreen(QPainter &p, const QString &caption)
{
    backdrop(p);
    static const struct { double x, y, size; const char *text; } decor[] = {
        {40, 60, 30, "a² − b² = (a + b)·(a − b)"}, {420, 130, 34, "y = k·x"}, {60, 360, 32, "2x + 3 = 11"},
        {430, 390, 36, "25 %"}, {300, 430, 24, "x ≠ 0"}, {470, 50, 26, "¾ + ⅛"}};
    for (const auto &d : decor) {
        p.setFont(mathFont(d.size));
        p.setPen(QColor(255, 255, 255, 60));
        p.drawText(QPointF(d.x, d.y), QString::fromUtf8(d.text));
    }
    panel(p, QRectF(80, 150, 480, 170), Palette::Paper, 20, Palette::Glow);
    fittedText(p, QRectF(100, 165, 440, 80), line(caption, 0), captionFont(44), Qt::AlignCenter, Palette::Night);
    fittedText(p, QRectF(100, 240, 440, 50), line(caption, 1), captionFont(32), Qt::AlignCenter, Palette::Orange);
    label(p, QRectF(80, 440, 480, 26), QStringLiteral("Klikni myšou alebo chvíľu počkaj…"), 14, Qt::AlignCenter);
}

void helpScreen(QPainter &p, const QString &title, const QString &kind, const QString &body)
{
    backdrop(p);
    panel(p, QRectF(16, 14, 608, 452), Palette::Paper, 16, Palette::Glow);
    const double logo = kind.isEmpty() ? 0 : 56;
    if (!kind.isEmpty())
        drawLogo(p, QRectF(36, 22, logo, logo), kind);
    fittedText(p, QRectF(36 + logo + (logo ? 14 : 0), 24, 568 - logo, 52), title, captionFont(28),
               Qt::AlignLeft | Qt::AlignVCenter, Palette::Night);
    p.setPen(QPen(Palette::Orange, 3));
    p.drawLine(QPointF(36, 86), QPointF(604, 86));
    // Paragraphs stand apart so that a pupil can read them one by one.
    QString spaced = body;
    spaced.replace(QLatin1String("\n\n"), QLatin1String("\n")).replace(QLatin1String("\n"), QLatin1String("\n\n"));
    fittedText(p, QRectF(36, 100, 568, 320), spaced, captionFont(19, false),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Palette::Ink);
    fittedText(p, QRectF(36, 428, 568, 28), QStringLiteral("Klikni kamkoľvek myšou."), captionFont(13),
               Qt::AlignRight | Qt::AlignVCenter, Palette::Sky);
}

QString helpTitle(const QString &caption, const QString &base)
{
    QString title = caption.split(QLatin1Char('\n')).last();
    if (base.size() == 3 && base[0].isDigit())
        title += QStringLiteral(" – variant ") + base.back();
    return title;
}

QString resolveLines(const QString &caption, const Context &context)
{
    QStringList lines = caption.split(QLatin1Char('\n'));
    for (QString &l : lines)
        l = context.texts ? context.texts->resolve(l) : l;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QImage drawScreen(const Entry &e, const QString &caption, const Context &context)
{
    static const QStringList styles{"bg_select", "bg_setup", "bg_tab", "bg_game", "title", "help"};
    if (!styles.contains(e.style))
        return {};
    QImage img = canvas(e.width, e.height, Palette::Night);
    QPainter p(&img);
    setupPainter(p);
    const QString base = QFileInfo(e.path).completeBaseName();
    if (e.style == QLatin1String("bg_select"))
        selectScreen(p, caption);
    else if (e.style == QLatin1String("bg_setup"))
        setupScreen(p, e.argument, caption, base.mid(3, 2));
    else if (e.style == QLatin1String("bg_tab"))
        tabScreen(p, caption);
    else if (e.style == QLatin1String("bg_game"))
        gameScreen(p, e.argument, caption);
    else if (e.style == QLatin1String("title"))
        titleScreen(p, caption);
    else if (context.helpPages.value(base).isEmpty())
        throw std::runtime_error("data/help.txt has no page [" + base.toStdString() + "]");
    else
        helpScreen(p, helpTitle(caption, base), e.argument, context.helpPages.value(base));
    return img;
}

QImage drawPicture(const Entry &entry, const Context &context)
{
    const QString caption = resolveLines(entry.caption, context);
    QImage img = drawScreen(entry, caption, context);
    return img.isNull() ? drawPiece(entry, caption) : img;
}

} // namespace Resources::Art
