// The print dialog fed by a printer directory of the test's own: what it
// shows while the printers and their details come, late or never, and what
// the teacher's choice carries.
#include "Dialog_tlace.h"

#include <QFileInfo>
#include <QScreen>
#include <QSpinBox>
#include <QTextLayout>

#include <tuple>

using namespace platform;
using namespace lktest;

namespace {

TEST_F(Dialog_tlace, OpensAtOnceOnTheFileAndTakesThePrintersAsTheyCome)
{
    const QString hladaju = QStringLiteral("Hľadajú sa tlačiarne…");
    const QString nezname = QStringLiteral("Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená.");
    const struct {
        const char *nazov;
        PrinterListing zoznam;
        int ms; // the answer this long after the dialog opened
        bool subor_skor; // the teacher chose the file before the answer
        bool na_tlaciaren; // the printer chosen then
        const char *poznamka; // what the dialog says of the printers then; nullptr: nothing
    } pripady[] = {
        {"the default printer chosen when it comes", {{"Kabinet", "Zborovna"}, "Zborovna", {}}, 300, false, true,
         nullptr},
        {"no default printer: said why the file stays chosen", {{"Kabinet", "Zborovna"}, {}, {}}, 0, false, false,
         "Tlačový systém nemá nastavenú predvolenú tlačiareň. Pracovný list sa preto uloží do súboru PDF, ak "
         "nevyberiete tlačiareň."},
        {"the file chosen before the printers came stays chosen", {{"Kabinet"}, "Kabinet", {}}, 300, true, false,
         nullptr},
        {"the default not told in time: said why the file is chosen", {{"Kabinet", "Zborovna"}, {}, nezname}, 300,
         false, false,
         "Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená. Pracovný list sa preto uloží do súboru "
         "PDF, ak nevyberiete tlačiareň."},
        {"the default not told, the file the teacher's own choice: only that said",
         {{"Kabinet", "Zborovna"}, {}, nezname}, 300, true, false,
         "Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená."},
        {"why there are no printers said, the file chosen",
         {{}, {}, "Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas"}, 300, false, false,
         "Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas. Pracovný list sa dá uložiť do súboru PDF."},
        {"a print system with no printer", {}, 0, false, false,
         "Tlačový systém nepozná žiadnu tlačiareň. Pracovný list sa dá uložiť do súboru PDF."},
        {"never answered: still awaited, print waits for it", {{"Kabinet"}, "Kabinet", {}}, Adresar_tlaciarni::Nikdy,
         false, false, "Hľadajú sa tlačiarne…"},
    };
    for (const auto &c : pripady) {
        adresar.zoznam = c.zoznam;
        adresar.zoznam_ms = c.ms;
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            if (c.ms != 0) {
                EXPECT_EQ(Text(d, "printersNote"), hladaju) << c.nazov;
                EXPECT_TRUE(Prvok<QLabel>(d, "printersNote")->isVisible()) << c.nazov;
                EXPECT_TRUE(Prvok<QRadioButton>(d, "toFile")->isChecked()) << c.nazov;
                EXPECT_FALSE(Prvok<QComboBox>(d, "printers")->isEnabled()) << c.nazov;
            }
            if (c.subor_skor)
                QTest::mouseClick(Prvok<QRadioButton>(d, "toFile"), Qt::LeftButton);
            if (c.ms == Adresar_tlaciarni::Nikdy)
                QTest::qWait(300);
            else
                EXPECT_TRUE(QTest::qWaitFor([&] { return Text(d, "printersNote") != hladaju; }, c.ms + 5000))
                    << c.nazov;
            auto *tlaciarne = Prvok<QComboBox>(d, "printers");
            QStringList ponuknute;
            for (int i = 0; i < tlaciarne->count(); ++i)
                ponuknute << tlaciarne->itemText(i);
            EXPECT_EQ(ponuknute, c.ms == Adresar_tlaciarni::Nikdy ? QStringList() : c.zoznam.printers) << c.nazov;
            EXPECT_EQ(Prvok<QRadioButton>(d, "toPrinter")->isEnabled(), !ponuknute.isEmpty()) << c.nazov;
            EXPECT_EQ(Prvok<QRadioButton>(d, "toPrinter")->isChecked(), c.na_tlaciaren) << c.nazov;
            const QLabel *poznamka = Prvok<QLabel>(d, "printersNote");
            EXPECT_EQ(poznamka->isVisible() ? poznamka->text() : QString(), QString::fromUtf8(c.poznamka))
                << c.nazov;
            Tlac(d);
        });
        if (c.ms == Adresar_tlaciarni::Nikdy) {
            EXPECT_FALSE(volba.has_value()) << c.nazov << ": a file nobody chose";
            continue;
        }
        ASSERT_TRUE(volba.has_value()) << c.nazov;
        EXPECT_EQ(volba->deviceName, c.na_tlaciaren ? c.zoznam.defaultPrinter : QString()) << c.nazov;
        EXPECT_EQ(volba->fileName.isEmpty(), c.na_tlaciaren) << c.nazov;
        EXPECT_TRUE(c.na_tlaciaren || volba->fileName.endsWith("/pracovny_list.pdf")) << c.nazov;
    }
    EXPECT_EQ(adresar.zoznamy, int(std::size(pripady))) << "the printers asked once a dialog";
    EXPECT_EQ(adresar.opytane, QStringList({"Zborovna", "Kabinet", "Kabinet", "Kabinet", "Kabinet"}))
        << "the details of the printer shown asked for, of no other";
    EXPECT_TRUE(box.AskedBoxes().isEmpty());
}

// Print pressed while the printers or the default one are still being
// asked, the teacher having chosen nothing, is taken when the search ends,
// the dialog answering meanwhile: the sheet goes to the default printer
// told; with none told, the dialog says why and stays, and a file is
// written only when print is pressed again. A file the teacher chose first
// is written at once.
TEST_F(Dialog_tlace, PrintPressedWhileThePrintersAreSearchedIsTakenWhenTheSearchEnds)
{
    const QString subor = QStringLiteral(" Pracovný list sa preto uloží do súboru PDF, ak nevyberiete tlačiareň.");
    const QString nezname = QStringLiteral("Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená.");
    const QString vlastna = QStringLiteral("Tlačiareň Chyba, ktorú máte nastavenú ako predvolenú, tlačový systém "
                                           "nepozná. Predvolená tlačiareň tlačového systému je Zborovna.");
    const QString nie_su = QStringLiteral("Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas.");
    const QStringList obe{"Kabinet", "Zborovna"};
    const struct {
        const char *nazov;
        PrinterListing zoznam;
        int zoznam_ms;
        std::optional<int> predvolena_ms; // the default told apart, after the printers
        bool subor_skor;                  // the teacher chose the file before print
        const char *tlaciaren;            // printed on it at the first press; nullptr: a file
        QString poznamka;                 // the dialog stays, saying this
    } pripady[] = {
        {"the default told after the printers: printed on it", {obe, "Zborovna", {}}, 0, 1500, false, "Zborovna",
         {}},
        {"every answer late: printed on the default", {obe, "Zborovna", {}}, 600, {}, false, "Zborovna", {}},
        {"the default not told in time: said, the dialog stays", {obe, {}, nezname}, 0, 1500, false, nullptr,
         nezname + subor},
        {"no default printer: said, the dialog stays", {obe, {}, {}}, 0, 1500, false, nullptr,
         "Tlačový systém nemá nastavenú predvolenú tlačiareň." + subor},
        {"the printers not known: said, the dialog stays", {{}, {}, nie_su}, 600, {}, false, nullptr,
         nie_su + " Pracovný list sa dá uložiť do súboru PDF."},
        {"the teacher's own default not on the server: the server's offered, not taken",
         {obe, "Zborovna", vlastna, true, false}, 0, 1500, false, nullptr, vlastna + subor},
        {"the file chosen before print: written at once", {obe, "Zborovna", {}}, 0, 1500, true, nullptr, {}},
    };
    for (const auto &c : pripady) {
        adresar.zoznam = c.zoznam;
        adresar.zoznam_ms = c.zoznam_ms;
        adresar.predvolena_ms = c.predvolena_ms;
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            if (c.subor_skor)
                QTest::mouseClick(Prvok<QRadioButton>(d, "toFile"), Qt::LeftButton);
            Tlac(d);
            if (c.subor_skor)
                return;
            EXPECT_TRUE(d.isVisible()) << c.nazov << ": taken before the search ended";
            auto *tlaciarne = Prvok<QComboBox>(d, "printers");
            if (c.predvolena_ms) {
                // The printers shown as they come, none chosen for the default.
                EXPECT_TRUE(QTest::qWaitFor([&] { return tlaciarne->count() == 2; }, 5000)) << c.nazov;
                EXPECT_TRUE(d.isVisible() && tlaciarne->currentIndex() < 0
                            && Prvok<QRadioButton>(d, "toFile")->isChecked())
                    << c.nazov;
            }
            EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible() || Text(d, "printersNote") == c.poznamka; },
                                        5000))
                << c.nazov << ": " << Text(d, "printersNote").toStdString();
            if (c.poznamka.isEmpty())
                return;
            QTest::qWait(100);
            EXPECT_TRUE(d.isVisible() && Prvok<QRadioButton>(d, "toFile")->isChecked()) << c.nazov;
            EXPECT_EQ(tlaciarne->currentText(), c.zoznam.defaultPrinter.isEmpty() ? c.zoznam.printers.value(0)
                                                                                 : c.zoznam.defaultPrinter)
                << c.nazov << ": the printer offered";
            Tlac(d); // the dialog said why the file
        });
        ASSERT_TRUE(volba.has_value()) << c.nazov;
        EXPECT_EQ(volba->deviceName, QString::fromUtf8(c.tlaciaren)) << c.nazov;
        EXPECT_EQ(QFileInfo(volba->fileName).fileName(), c.tlaciaren ? "" : "pracovny_list.pdf") << c.nazov;
    }
    EXPECT_TRUE(box.AskedBoxes().isEmpty());
}

// A printer's details come as they are told: awaited, then its place,
// model and state, or why they cannot be had, said once in the dialog, a
// late answer for a printer no longer chosen kept for when it is again;
// each printer is asked for once, however often it is chosen meanwhile.
TEST_F(Dialog_tlace, APrintersDetailsComeAsTheyAreToldAndARefusalIsSaidOnce)
{
    adresar.zoznam = {{"Kabinet", "Zborovna", "Sklad"}, "Kabinet", {}};
    adresar.podrobnosti = {
        {"Kabinet", {"Kabinet", "2. poschodie", "Laserová A4", "Pripravená.", true, {}}},
        {"Zborovna",
         {"Zborovna", {}, {}, {}, true, "Údaje o tlačiarni Zborovna sa nedajú zistiť. Vyžaduje sa prihlásenie."}},
        // What the print server said of it and what the dialog says of a
        // printer that takes no jobs, said once.
        {"Sklad", {"Sklad", {}, {}, "zastavená. Tlačiareň neprijíma úlohy.", false, {}}},
    };
    adresar.podrobnosti_ms = 200;
    Vyber([&](QDialog &d) {
        auto *tlaciarne = Prvok<QComboBox>(d, "printers");
        ASSERT_TRUE(QTest::qWaitFor([&] { return tlaciarne->count() == 3; }));
        const auto ukazane = [&] {
            return QStringList{Text(d, "location"), Text(d, "model"), Text(d, "state")};
        };
        const auto vyber = [&](const char *tlaciaren) {
            tlaciarne->setCurrentIndex(tlaciarne->findText(QString::fromUtf8(tlaciaren)));
        };
        const QStringList zistuje{{}, {}, "Zisťuje sa…"};
        EXPECT_EQ(ukazane(), zistuje);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ukazane() != zistuje; }, 5000));
        EXPECT_EQ(ukazane(), QStringList({"2. poschodie", "Laserová A4", "Pripravená."}));
        vyber("Zborovna");
        EXPECT_EQ(ukazane(), zistuje);
        QTest::qWait(100);
        vyber("Kabinet"); // known: shown at once
        EXPECT_EQ(ukazane(), QStringList({"2. poschodie", "Laserová A4", "Pripravená."}));
        vyber("Zborovna"); // its answer still on its way
        emit tlaciarne->activated(tlaciarne->currentIndex()); // chosen again, the same
        EXPECT_EQ(ukazane(), zistuje);
        vyber("Sklad"); // Zborovna's answer comes while Sklad's is awaited
        QTest::qWait(150);
        EXPECT_EQ(ukazane(), zistuje) << "another printer's answer shown for Sklad";
        EXPECT_TRUE(QTest::qWaitFor([&] { return ukazane() != zistuje; }, 5000));
        EXPECT_EQ(ukazane(), QStringList({{}, {}, "Zastavená. Tlačiareň neprijíma úlohy."}));
        vyber("Zborovna");
        EXPECT_EQ(ukazane(), QStringList({{}, {}, "Údaje o tlačiarni Zborovna sa nedajú zistiť. Vyžaduje sa prihlásenie."}));
        vyber("Kabinet");
        vyber("Zborovna");
        QTest::qWait(300);
        EXPECT_EQ(Text(d, "state"), "Údaje o tlačiarni Zborovna sa nedajú zistiť. Vyžaduje sa prihlásenie.");
    });
    EXPECT_EQ(adresar.opytane, QStringList({"Kabinet", "Zborovna", "Sklad"})) << "each printer asked once";
    EXPECT_TRUE(box.AskedBoxes().isEmpty()) << "said in the dialog, and nowhere else";
}

// The printer chosen goes with the copies and the pages; the pages stay a
// range whichever end is moved past the other.
TEST_F(Dialog_tlace, TheChoiceCarriesThePrinterTheCopiesAndThePages)
{
    adresar.zoznam = {{"Kabinet", "Zborovna"}, "Kabinet", {}};
    const struct {
        const char *nazov;
        std::function<void(QSpinBox *od, QSpinBox *po, QRadioButton *vsetky)> strany;
        int od, po;
    } pripady[] = {
        {"every page", [](QSpinBox *, QSpinBox *, QRadioButton *) {}, 0, 0},
        {"pages 2 to 3", [](QSpinBox *od, QSpinBox *po, QRadioButton *) { po->setValue(3), od->setValue(2); }, 2, 3},
        {"from moved past to: to follows", [](QSpinBox *od, QSpinBox *po, QRadioButton *) { po->setValue(2), od->setValue(4); },
         4, 4},
        {"to moved below from: from follows", [](QSpinBox *od, QSpinBox *po, QRadioButton *) { od->setValue(3), po->setValue(2); },
         2, 2},
        {"every page again after a range", [](QSpinBox *od, QSpinBox *, QRadioButton *vsetky) { od->setValue(2), vsetky->click(); },
         0, 0},
    };
    for (const auto &c : pripady) {
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            auto *tlaciarne = Prvok<QComboBox>(d, "printers");
            ASSERT_TRUE(QTest::qWaitFor([&] { return tlaciarne->count() == 2; }));
            tlaciarne->setCurrentIndex(1);
            Prvok<QSpinBox>(d, "copies")->setValue(3);
            c.strany(Prvok<QSpinBox>(d, "fromPage"), Prvok<QSpinBox>(d, "toPage"), Prvok<QRadioButton>(d, "allPages"));
            Tlac(d);
        });
        ASSERT_TRUE(volba.has_value()) << c.nazov;
        EXPECT_EQ(std::tuple(volba->deviceName, volba->fileName, volba->copies, volba->fromPage, volba->toPage),
                  std::tuple(QString("Zborovna"), QString(), 3, c.od, c.po))
            << c.nazov;
    }
    EXPECT_FALSE(Vyber([](QDialog &d) { d.reject(); }).has_value()) << "cancelled";
}

// What of the dialog's wrapped texts is not shown whole, laid out as each
// label draws it, at its width and in its font: a line wider than the
// label, or not in the part of it that shows (below its bottom, outside the
// dialog, scrolled away); and the dialog off the screen (offscreen, where
// its place is its frame's, without the frame the platform makes up and
// no window manager draws).
QString Neukazane(QDialog &d)
{
    QCoreApplication::processEvents(); // the dialog fitted to what it grew to
    QString zle;
    if (const QRect okno(d.pos(), d.size()); !d.screen()->availableGeometry().contains(okno))
        zle += QStringLiteral("the dialog at %1,%2 %3x%4 off the screen; ").arg(okno.x()).arg(okno.y())
                   .arg(okno.width()).arg(okno.height());
    for (QLabel *l : d.findChildren<QLabel *>()) {
        if (!l->isVisibleTo(&d) || !l->wordWrap() || l->text().isEmpty())
            continue;
        const QRectF miesto = QRectF(l->contentsRect()).adjusted(-1, -1, 1, 1); // rounding
        const QRegion ukazane = l->visibleRegion();
        QTextLayout riadky(l->text(), l->font());
        QTextOption zalamovanie;
        zalamovanie.setWrapMode(QTextOption::WordWrap);
        riadky.setTextOption(zalamovanie);
        riadky.beginLayout();
        qreal y = l->contentsRect().top();
        for (QTextLine r = riadky.createLine(); r.isValid(); r = riadky.createLine()) {
            r.setLineWidth(l->contentsRect().width());
            r.setPosition(QPointF(l->contentsRect().left(), y));
            y += r.height() + l->fontMetrics().leading();
            const QRectF kde(r.position(), QSizeF(r.naturalTextWidth(), r.height()));
            const QString text = l->text().mid(r.textStart(), r.textLength());
            if (!miesto.contains(kde) || !ukazane.contains(kde.adjusted(1, 1, -1, -1).toAlignedRect()))
                zle += QStringLiteral("\"%1\" not shown whole; ").arg(text);
        }
        riadky.endLayout();
    }
    return zle;
}

// Print queue names of printers set up without a driver, with no space to
// wrap at, up to the 127 bytes the print system takes (one with nothing to
// break after either), a long place and a stopped printer's own message,
// each in the note or the details: every line shows inside the dialog, and
// the dialog inside the screen (run again on 640 x 480 and 1024 x 768
// screens).
TEST_F(Dialog_tlace, EveryLineOfTheNoteAndTheDetailsShowsInsideTheDialogAndTheScreen)
{
    const QString meno48 = QStringLiteral("HP_LaserJet_Pro_MFP_M428fdw_zborovna_2_poschodie");
    const QString meno127 = (meno48 + "_" + meno48 + "_" + meno48).left(127);
    const QString miesto = QStringLiteral("Budova_B/2._poschodie/zborovna_pri_okne/vedla_kopirky_Konica_Minolta");
    const QString hlasi = QStringLiteral(
        "Zastavená. Tlačiareň hlási: „ipp://%1.local:631/ipp/print/nedostupna_od_2024-03-11T07:45:13+01:00“.");
    const QString bez_oddelovacov = QStringLiteral("HPLaserJetProMFPM428fdwZborovna2Poschodie").repeated(4).left(127);
    for (const QString &meno : {meno48, meno127, bez_oddelovacov}) {
        adresar.zoznam = {{"Kabinet", meno}, meno,
                          QStringLiteral("Tlačiareň %1, ktorú máte nastavenú ako predvolenú, tlačový systém nepozná. "
                                         "Predvolená tlačiareň tlačového systému je %1.")
                              .arg(meno),
                          true};
        adresar.podrobnosti = {{meno, {meno, miesto, meno, hlasi.arg(meno), false, {}}}};
        const std::string nazov = std::to_string(meno.size()) + " bytes";
        // Why the file, then the printer chosen: its details.
        adresar.zoznam_ms = 0;
        adresar.predvolena_ms.reset();
        Vyber([&](QDialog &d) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return Text(d, "printersNote").contains("ak nevyberiete"); }));
            EXPECT_EQ(Neukazane(d), QString()) << nazov << ", why the file";
            QTest::mouseClick(Prvok<QRadioButton>(d, "toPrinter"), Qt::LeftButton);
            EXPECT_TRUE(QTest::qWaitFor([&] { return Text(d, "state").startsWith("Zastavená"); })) << nazov;
            EXPECT_EQ(Neukazane(d), QString()) << nazov << ", the details";
        });
        // A press while the default is awaited, ended by the file chosen.
        adresar.zoznam_ms = adresar.predvolena_ms.emplace(Adresar_tlaciarni::Na_pokyn);
        Vyber([&](QDialog &d) {
            adresar.Povedz();
            Tlac(d);
            QTest::mouseClick(Prvok<QRadioButton>(d, "toFile"), Qt::LeftButton);
            adresar.Povedz();
            EXPECT_TRUE(Text(d, "printersNote").endsWith("Stlačte „Tlačiť“ znova.")) << nazov;
            EXPECT_EQ(Neukazane(d), QString()) << nazov << ", press again";
        });
    }
}

} // namespace
