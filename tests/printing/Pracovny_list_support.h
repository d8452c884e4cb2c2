#pragma once
// Whole worksheets under test: the exercise screen loaded in print mode on
// the fake printer, and the recorded document cut into its pages.
#include "Tlac_support.h"

#include "exercise/Hra_support.h"
#include "printing/Pracovni_list.h"
#include "printing/Stranka.h"

#include <QRegularExpression>

namespace pracovny_list_test {

using namespace Misc;
using platform::PrintOp;

// What one printed page holds.
struct Strana {
    QList<PrintOp> ops;        // all of it, in print order
    QString cislo_strany;      // the page line of the footer
    QList<int> priklady;       // example numbers, in print order
    QList<PrintOp> texty_ruvo; // the example column
    QList<PrintOp> zadanie;    // the statement lines (italic)
};

class Pracovny_list : public hra_test::Obrazovka {
protected:
    Pracovny_list()
    {
        tlac_test::Zaregistruj_ruvo();
        Texty[32] = QStringLiteral("Dátum");
    }
    ~Pracovny_list() override { Texty[32].clear(); }

    // The print command: the screen loaded with the print flag set.
    void Vytlac(const char *uloha, int varianta, int pocet, int kopie = 1)
    {
        tlaciaren.SetCopies(kopie);
        Tisk = true;
        Cislo_ulohy = QString::fromLatin1(uloha);
        Varianta_ulohy = quint8(varianta);
        Zvoleny_pocet_prikladu = quint8(pocet);
        formular = std::make_unique<frm_Game01>();
        formular->Load();
    }

    // The recorded document cut at its page breaks.
    QList<Strana> Strany() const
    {
        static const QRegularExpression cislo(QStringLiteral("^(\\d+)\\) "));
        QList<Strana> strany(1);
        for (const PrintOp &op : tlaciaren.Ops()) {
            if (op.kind == PrintOp::NewPage) {
                strany.append(Strana());
                continue;
            }
            Strana &s = strany.last();
            s.ops.append(op);
            if (op.kind != PrintOp::Text)
                continue;
            if (op.text.startsWith(QStringLiteral("Stránka: ")))
                s.cislo_strany = op.text.mid(9);
            if (op.italic)
                s.zadanie.append(op);
            if (op.fontName != QLatin1String("Ruvo"))
                continue;
            s.texty_ruvo.append(op);
            if (const auto m = cislo.match(op.text); m.hasMatch())
                s.priklady.append(m.captured(1).toInt());
        }
        EXPECT_TRUE(strany.last().ops.isEmpty()) << "every page, the last included, is closed by a page break";
        strany.removeLast();
        return strany;
    }

    static QList<int> Od_do(int od, int po)
    {
        QList<int> c;
        for (int i = od; i <= po; ++i)
            c.append(i);
        return c;
    }

    std::unique_ptr<frm_Game01> formular;
};

} // namespace pracovny_list_test
