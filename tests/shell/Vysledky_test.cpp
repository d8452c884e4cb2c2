// The results: marks, the results file read, added to under the lock and
// never lost (a full disk, a class finishing at once, a damaged or unreadable
// table, a result kept until it can be saved), links, FIFOs and devices in a
// shared folder, and the results table screen with its log entry.
#include "Ukladanie.h"

#include "platform/Fonts.h"
#include "services/Bezpecny_subor.h"
#include "services/Konfigurace.h"
#include "services/Text_1250.h"
#include "shell/Ulozenie_vysledku.h"
#include "support/Docasny_config.h"
#include "support/Zakazane_volania.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lktest;
using namespace Vysledky;
using Misc::Text_do_1250;
using Misc::Vlozeni_znamky;

namespace {

using Znamky = decltype(Misc::Tabulka_znamek); // row 0 unused

// One row added as the results screen adds it, waiting at most `cakanie`.
Odpoved Pridaj_riadok(const QString &hd, QList<Zaznam_vysledku> &zobrazene, const Zaznam_vysledku &novy,
                      std::chrono::milliseconds cakanie = Cakanie_na_zamok)
{
    Misc::Cakanie pocas;
    Ulozenie_vysledku ulozenie(hd, cakanie);
    return ulozenie.Pridaj_riadok(novy, {}, zobrazene, pocas);
}

TEST(Marks, ShippedTableNeverGivesMoreRightAWorseMarkAndUsesTheWholeScale)
{
    ASSERT_FALSE(Misc::Nacti_znamky(QStringLiteral(LK_DEFAULT_DATA_DIR "/Znamky.dat")).Je_chyba());
    QSet<int> znamky;
    for (int celkove : {4, 5, 8, 10, 12, 15, 16, 20, 25, 100})
        for (int spravne = 1; spravne <= celkove; ++spravne) {
            const int z = Vlozeni_znamky(spravne, celkove, Misc::Tabulka_znamek).toInt();
            EXPECT_LE(z, Vlozeni_znamky(spravne - 1, celkove, Misc::Tabulka_znamek).toInt()) << spravne << "/" << celkove;
            znamky.insert(z);
        }
    EXPECT_EQ(znamky, (QSet<int>{1, 2, 3, 4, 5}));
}

TEST(Marks, EdgeTables)
{
    const Znamky prekryv{{{}, {0, 50, 5}, {50, 100, 1}, {}, {}, {}}};
    const Znamky medzery{{{}, {0, 29, 5}, {30, 49, 4}, {50, 55, 3}, {56, 84, 2}, {85, 100, 1}}};
    const Znamky bez_nuly{{{}, {10, 40, 4}, {40, 60, 3}, {60, 80, 2}, {80, 100, 1}, {80, 100, 1}}};
    const Znamky dva_riadky{{{}, {0, 59, 2}, {60, 100, 1}, {}, {}, {}}}; // empty rows are (0, 0, 0)
    struct Pripad { const char *nazov; const Znamky &t; int spravne, celkove; const char *znamka; } pripady[] = {
        {"shared bound: the later row wins", prekryv, 10, 20, "1"},
        {"11 of 20 is 55 %: the row ending at 55", medzery, 11, 20, "3"},
        {"7 of 24 is 29.2 %, in a gap: the row ending at 29", medzery, 7, 24, "5"},
        {"below every row: no mark", bez_nuly, 0, 5, ""},
        {"a row without a mark gives none", dva_riadky, 0, 5, "2"},
    };
    for (const Pripad &p : pripady)
        EXPECT_EQ(Vlozeni_znamky(p.spravne, p.celkove, p.t), QString::fromLatin1(p.znamka)) << p.nazov;
}

// A teacher's table may start or end a row at any whole percentage; 29 of
// 100 is 29 % and no less, whatever a double makes of 29 / 100 * 100.
TEST(Marks, EveryBoundHoldsExactlyForEveryTotal)
{
    int zle = 0;
    for (int b = 0; b <= 100; ++b) {
        const Znamky od_b{{{}, {0, std::uint8_t(std::max(b - 1, 0)), 5}, {std::uint8_t(b), 100, 4}, {}, {}, {}}};
        const Znamky po_b{{{}, {0, std::uint8_t(b), 5}, {std::uint8_t(b + 1), 100, 4}, {}, {}, {}}};
        for (int celkove = 1; celkove <= 200; ++celkove)
            for (int spravne = 0; spravne <= celkove; ++spravne) {
                // At b or above: the row from b; in the gap above b: still the row ending at b.
                const bool od = spravne * 100 >= b * celkove;
                const bool za = spravne * 100 >= (b + 1) * celkove;
                if ((Vlozeni_znamky(spravne, celkove, od_b) != (od ? "4" : "5")
                     || Vlozeni_znamky(spravne, celkove, po_b) != (za ? "4" : "5"))
                    && ++zle <= 10)
                    ADD_FAILURE() << spravne << " of " << celkove << " against the bound " << b;
            }
    }
    EXPECT_EQ(zle, 0);
}

// The mark as a teacher reads the table, in whole numbers: the last row
// holding the percentage; else, walking down from the percentage, the first
// upper bound some row has (the later row where rows share it); else none.
QString Znamka_podla_pravidla(int spravne, int celkove, const Znamky &t)
{
    const auto drzi = [&](const Misc::Hranice_znamky &r) {
        return r.Hodnota_znamky != 0 && r.Dolni_hranice * celkove <= spravne * 100
               && spravne * 100 <= r.Horni_hranice * celkove;
    };
    for (int k = Misc::Pocet_znamok; k >= 1; --k)
        if (drzi(t[k]))
            return QString::number(t[k].Hodnota_znamky);
    for (int u = 100; u >= 0; --u) {
        if (u * celkove >= spravne * 100)
            continue;
        for (int k = Misc::Pocet_znamok; k >= 1; --k)
            if (t[k].Hodnota_znamky != 0 && t[k].Horni_hranice == u)
                return QString::number(t[k].Hodnota_znamky);
    }
    return {};
}

// Teachers write their scales in any order, best mark first as often as not.
TEST(Marks, EveryOrderOfRowsGivesTheMarkOfTheRule)
{
    struct Tabulka { const char *nazov; Znamky t; } tabulky[] = {
        {"ascending with gaps", {{{}, {0, 32, 5}, {33, 49, 4}, {50, 66, 3}, {67, 84, 2}, {85, 100, 1}}}},
        {"best mark first with gaps", {{{}, {85, 100, 1}, {67, 84, 2}, {50, 66, 3}, {33, 49, 4}, {0, 32, 5}}}},
        {"out of order with gaps", {{{}, {50, 66, 3}, {0, 32, 5}, {85, 100, 1}, {33, 49, 4}, {67, 84, 2}}}},
        {"best first, shared bounds", {{{}, {85, 100, 1}, {70, 85, 2}, {50, 70, 3}, {30, 50, 4}, {0, 30, 5}}}},
        {"best first, overlaps", {{{}, {80, 100, 1}, {60, 90, 2}, {40, 65, 3}, {20, 45, 4}, {0, 25, 5}}}},
        {"best first, wide gaps, no zero", {{{}, {90, 100, 1}, {70, 79, 2}, {50, 59, 3}, {30, 39, 4}, {10, 19, 5}}}},
        {"two rows with one upper bound", {{{}, {60, 100, 1}, {0, 40, 3}, {20, 40, 4}, {}, {}}}},
    };
    for (const Tabulka &t : tabulky) {
        int zle = 0;
        for (int celkove = 1; celkove <= 200; ++celkove)
            for (int spravne = 0; spravne <= celkove; ++spravne)
                if (Vlozeni_znamky(spravne, celkove, t.t) != Znamka_podla_pravidla(spravne, celkove, t.t) && ++zle <= 5)
                    ADD_FAILURE() << t.nazov << ": " << spravne << " of " << celkove << " gives "
                                  << Vlozeni_znamky(spravne, celkove, t.t).toStdString() << ", the rule "
                                  << Znamka_podla_pravidla(spravne, celkove, t.t).toStdString();
        EXPECT_EQ(zle, 0) << t.nazov;
    }
    // The teacher's own examples, worked by hand.
    const Znamky najlepsia_prva = tabulky[1].t;
    EXPECT_EQ(Vlozeni_znamky(10, 15, najlepsia_prva), "3"); // 66.7 %: between 66 and 67
    EXPECT_EQ(Vlozeni_znamky(11, 13, najlepsia_prva), "2"); // 84.6 %: between 84 and 85
}

// The table as read, the new result added, written back in Windows-1250
// with CR LF and read again as shown.
TEST(ResultsFile, AddingKeepsEveryLineOfAHandEditedTable)
{
    const struct { const char *nazov; QByteArray obsah; QString subor; bool kopia; } pripady[] = {
        {"no file yet: an empty table", {}, "7|Nový| 4| 1| 2| 1\r\n", false},
        {"Linux editor: LF only, UTF-8", "7|J\xC3\xA1n| 5| 0| 1| 0\n7|Ivan| 3| 2| 3| 0\n",
         "7|Ján| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ivan| 3| 2| 3| 0\r\n", false},
        {"UTF-8 without a byte-order mark: Slovak names",
         "7|J\xC3\xA1n \xC5\xA0\xC5\xA5" "astn\xC3\xBD| 5| 0| 1| 0\n7|MAT\xC3\x9A\xC5\xA0| 3| 2| 3| 0\n",
         "7|Ján Šťastný| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|MATÚŠ| 3| 2| 3| 0\r\n", false},
        {"UTF-8 whose letters past ASCII are Slovak letters in Windows-1250 too (\"č\" is \"ÄŤ\", \"ž\" is "
         "\"Ĺľ\")", "7|Mrkvi\xC4\x8Dka| 5| 0| 1| 0\r\n7|Je\xC5\xBE" "ek| 5| 0| 1| 0\r\n",
         "7|Mrkvička| 5| 0| 1| 0\r\n7|Ježek| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n", false},
        {"byte-order mark, CR LF, a blank line, no end on the last", "\xEF\xBB\xBF" "7|\xC4\xBDubo| 5| 0| 1| 0\r\n\r\n7|Ivan| 3| 2| 3| 0",
         "7|Ľubo| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ivan| 3| 2| 3| 0\r\n", false},
        {"lines that hold no result: a bar in the name, five fields, an ID past 255, a task past 65535; "
         "fields without blanks and text after a sixth bar are read",
         "7|Ad|am| 4| 1| 2| 1\r\n7|Eva|5|0|1|1\r\n7|Ján| 4| 1| 2\r\n7|Ivo| 4| 1| 2| 300\r\n70000|Ola| 4| 1| 2| 0\r\n"
         "7|Ida| 3| 2| 3| 0|text\r\n",
         "7|Eva| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ida| 3| 2| 3| 0|text\r\n", true},
        {"a newer program's table: fields after the sixth are kept",
         "7|Ida| 5| 0| 1| 1|2027-03-05|x\r\n7|Ema| 3| 2| 3| 0|\r\n",
         "7|Ida| 5| 0| 1| 0|2027-03-05|x\r\n7|Nový| 4| 1| 2| 1\r\n7|Ema| 3| 2| 3| 0|\r\n", false},
        {"UTF-8 letters Windows-1250 lacks: never changed without the old file kept",
         "7|\xCE\x95\xCE\xBB\xCE\xAD\xCE\xBD\xCE\xB7| 4| 1| 2| 1\n7|Ida| 3| 2| 3| 0|\xCE\xB1\n",
         "7|?????| 4| 1| 2| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ida| 3| 2| 3| 0|?\r\n", true},
        {"a tab and a NUL in names", QByteArrayLiteral("7|Ad\tam| 5| 0| 1| 0\r\n7|Ev\0a| 3| 2| 3| 0\r\n"),
         "7|Ad am| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Eva| 3| 2| 3| 0\r\n", true},
        {"a byte Windows-1250 lacks in a name", "7|Ad\x81m| 5| 0| 1| 0\r\n7|Ida| 3| 2| 3| 0\r\n",
         "7|Adm| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ida| 3| 2| 3| 0\r\n", true},
        {"lines as the program writes them beside hand-edited ones: leading zeros, -0, blanks missing or "
         "added, LF, a field after the sixth, the last ID 1, no end on the last line",
         "7|Anna| 5| 0| 1| 0\r\n07|Bela| 5| 0| 1| 0\r\n12345|\x8Eofia| 5| 0| 1| 0\r\n-3|Cyril| 5|-0| 1| 0\r\n"
         "7|Dana|  4 | 1| 2| 0\r\n7|Ema| 4| 1| 2| 0\n7|Eva|4| 1| 2| 0\r\n 7|Ivo| 4| 1| 2| 0\r\n"
         "7|Fero| 3| 2| 3| 0|x\r\n7|Gita| 3| 2| 3| 1\r\n7|Hugo| 9| 0| 0| 0",
         "7|Anna| 5| 0| 1| 0\r\n7|Bela| 5| 0| 1| 0\r\n12345|Žofia| 5| 0| 1| 0\r\n-3|Cyril| 5| 0| 1| 0\r\n"
         "7|Dana| 4| 1| 2| 0\r\n7|Ema| 4| 1| 2| 0\r\n7|Eva| 4| 1| 2| 0\r\n7|Ivo| 4| 1| 2| 0\r\n"
         "7|Nový| 4| 1| 2| 1\r\n7|Fero| 3| 2| 3| 0|x\r\n7|Gita| 3| 2| 3| 0\r\n7|Hugo| 9| 0| 0| 0\r\n", false},
        {"an unsorted table is sorted", "7|Ivan| 3| 2| 3| 0\r\n7|Anna| 5| 0| 1| 0\r\n",
         "7|Anna| 5| 0| 1| 0\r\n7|Nový| 4| 1| 2| 1\r\n7|Ivan| 3| 2| 3| 0\r\n", false},
    };
    for (const auto &p : pripady) {
        Docasny_config pouzivatel; // this user's folder of kept parts
        QTemporaryDir dir;
        const QString cesta = dir.filePath("Hra.res");
        if (!p.obsah.isNull())
            Zapis_subor(cesta, p.obsah);
        // Lines copied from the file as read are the lines the rows would be written as.
        Tabulka_zo_suboru citana = Nacti_tabulku_ze_souboru(cesta);
        QList<Zaznam_vysledku> pridane = citana.zaznamy;
        const QList<Zaznam_vysledku> nove{{7, "Nový", 4, 1, 2, 1}, {8, "Zoe", 5, 0, 1, 1}};
        Pridaj(pridane, nove);
        EXPECT_EQ(Pridaj_do_tabulky(citana, nove), Text_tabulky(pridane)) << p.nazov;
        EXPECT_EQ(citana.zaznamy, pridane) << p.nazov;
        QList<Zaznam_vysledku> zobrazene; // read when the screen loaded, before another program added more
        const Odpoved odpoved = Pridaj_riadok(dir.path() + "/", zobrazene, {7, "Nový", 4, 1, 2, 1});
        EXPECT_EQ(odpoved.dovod, Zapis::Hotovy) << p.nazov;
        EXPECT_EQ(Obsah(cesta), Text_do_1250(p.subor)) << p.nazov;
        EXPECT_EQ(Nacti_tabulku_ze_souboru(cesta).zaznamy, zobrazene) << p.nazov;
        ASSERT_EQ(!odpoved.kopia.isEmpty(), p.kopia) << p.nazov;
        EXPECT_TRUE(!p.kopia || Obsah(odpoved.kopia) == p.obsah) << "the old file is kept whole";
        EXPECT_TRUE(Pridaj_riadok(dir.path() + "/", zobrazene, {7, "Ďalší", 1, 1, 1, 1}).kopia.isEmpty()) << "told once";
    }
}

// Real Slovak and Czech first names and surnames, as a class may hold them.
const QStringList Mena_triedy = QString::fromUtf16(
    u"Ján Tomáš Lukáš Matúš Ľubomír Ľuboš Ľudovít Ľudmila Ľubica Ľuba Dušan Štefan Šimon Róbert Vladimír "
    u"Svätopluk Čestmír Ďurko Ďuro Dávid František Jiří Jaromír Přemysl Bořivoj Vojtěch Zdeněk Václav Vít "
    u"Vítězslav Břetislav Kryštof Matěj Ondřej Štěpán Tadeáš Žofia Žaneta Želmíra Katarína Kateřina Mária "
    u"Anna Eva Jana Júlia Soňa Táňa Drahomíra Blažena Božena Věra Jiřina Libuše Markéta Magdaléna Olga "
    u"Oľga Renáta Šárka Zdeňka Alžbeta Alžběta Adéla Anežka Dáša Ľudka Klára Lívia Natália Ružena Slávka "
    u"Štefánia Viera Žofie Čeněk Luděk Miloš Bořek Vavřinec Ignác Oldřich Kučera Ježek Novák Nováková "
    u"Svoboda Dvořák Černý Procházka Kučerová Veselý Horák Němec Pokorný Pospíšil Hájek Král Jelínek "
    u"Růžička Beneš Sedláček Doležal Kolář Navrátil Čermák Vaněk Blažek Kříž Kovář Bartoš Vlček Polák "
    u"Kopecký Šimek Konečný Malý Čech Štěpánek Staněk Dostál Šťastný Mareš Sýkora Tichý Vávra Matoušek "
    u"Říha Bláha Šebesta Ševčík Hruška Mašek Krejčí Kratochvíl Hrubý Bureš Pavlík Kubíček Horváth Kováč "
    u"Tóth Baláž Molnár Lukáč Kotlár Gajdoš Kollár Hudák Mikuš Šimko Ďurica Ďuriš Ďurčo Žák Žiak Žilka "
    u"Hložek Vlčko Kočiš Bečka Kočka Ličko Jurčo Čierny Čurilla Mrkvička Mikulášek Hečko Rybár Krajčír "
    u"Ľupták Ľalík Škultéty Šťastná Ďuďák Ďurovič Dubček Štúr Kukučín Bernolák Jesenský Jánošík Kráľ "
    u"Kráľová Hoľko Poľák Čaplovič Gašparovič Čaputová Mečiar Kováčik Mihálik Pavlovič Šefčovič Žiga Ďaďo "
    u"Ľachký Ševčíková Ondruš Kmeť Kmeťová Hraško Gregorová Žitňan Čaja Bžoch Vrbovský Sklenár Mráz "
    u"Mrázová Očenáš Štefánik Dobšinský Rázus Tajovský Čajak Hviezdoslav Sládkovič Chalupka Hollý Fándly "
    u"Palárik Záborský Kuzmány Vajanský Hodža Šrobár Jurkovič Zátopek Čáslavská Ledecká Sáblíková Jágr "
    u"Hašek Čapek Dvořáková Janáček Martinů Aleš Mánes Jirásek Němcová Mácha Vrchlický Skácel Páral "
    u"Škvorecký Klíma Vaculík Ječmen Kočvara Kolečko Ovečka Pečenka Sečka Tuček Vičar Žemlička Žižka Žižek "
    u"Bažant Kožuch Hudeček Kuželka Mačuga Mičko Mičo Ďurana Ďuriga Ďumbier Ďatko Ďurech Poľana Ďurček "
    u"Bielčik Strečko Pečko Kmečko Balažovič Bučko Ďuračka Ďurkovič Ježo Žuffa Žuk Žilinec Rožek Ivančo "
    u"Jančo Ďuriček Jurečka Janečka Kubečka Kočner Ečer Peter Marek Zuzana Michal ").split(u' ', Qt::SkipEmptyParts);

// Names as the program writes them (Windows-1250) and as a teacher's editor
// saves them (UTF-8), whose bytes may be whole text in the other too: the
// program's "ÚŠ" is one Arabic letter in UTF-8, UTF-8 "č" is "ÄŤ" in
// Windows-1250. Each read back as written, alone in a table and as a class.
TEST(ResultsFile, NamesReadBackAsWrittenInWindows1250AndInUtf8)
{
    ASSERT_EQ(Mena_triedy.size(), 300);
    const QString male = QStringLiteral("áäčďéěíĺľňóôŕřšťúůýž"), velke = male.toUpper();
    QStringList po_jednom, v_menach, znaky, mena;
    for (const QChar c : male)
        po_jednom << c, v_menach << c + QStringLiteral("ela") << QStringLiteral("Ja%1n").arg(c) << QStringLiteral("Ja%1").arg(c);
    for (const QChar c : velke)
        po_jednom << c, v_menach << c + QStringLiteral("ela") << QStringLiteral("JA%1N").arg(c) << QStringLiteral("JA%1").arg(c);
    // Every two, three or four letters whose bytes UTF-8 reads as one
    // character of no Latin letter, alone and beside other letters.
    const QByteArray bajty = Text_do_1250(male + velke);
    const auto pridaj = [&](auto &&self, const QByteArray &zaciatok) -> void {
        for (const char b : bajty) {
            const QByteArray s = zaciatok + b;
            const QList<uint> utf8 = QString::fromUtf8(s).toUcs4();
            const bool jeden = s.size() > 1 && QByteArrayView(s).isValidUtf8() && utf8.size() == 1;
            const QString meno = Misc::Text_z_1250(s);
            // As a name is typed: in small letters, in capitals, or capitalised.
            const bool ako_meno = meno == meno.toLower() || meno == meno.toUpper()
                || meno == meno.left(1) + meno.mid(1).toLower();
            if (jeden && ako_meno && !(QChar::isLetter(utf8[0]) && QChar::script(utf8[0]) == QChar::Script_Latin))
                znaky << meno << "Eva " + meno << meno + "ka 2" << "x" + meno + "-y";
            else if (!jeden && s.size() < 4)
                self(self, s);
        }
    };
    pridaj(pridaj, {});
    ASSERT_TRUE(znaky.contains("ÚŠ") && znaky.contains("ÓŽ") && znaky.contains("ášť") && znaky.contains("óšťž"));
    for (const QString &meno : Mena_triedy)
        mena << meno << meno.toUpper() << meno.toLower();
    const struct { const char *nazov; QStringList mena; } pripady[] = {
        {"each letter alone", po_jednom},
        {"each letter at a word's start, inside and at its end; capitals in capitals", v_menach},
        {"all the letters, lower and upper case", {male, velke}},
        {"names in capitals whose bytes are whole UTF-8",
         {"MATÚŠ", "ÓŽ", "JÚŠ ÚŠ ÓŽ", "PÄŤ", "PAMÄŤ", "DĹŽKA", "DEVÄŤ", "OPÄŤ", "SPÄŤ", "PÄŤKA", "SVÄTÝ", "VĹČA"}},
        // In Windows-1250, UTF-8 "Ś" is "Ĺš", "ü" "ĂĽ" and "Ď" "ÄŽ": Slovak
        // letters all but one, "Ĺ" and "Ä" where no Slovak word has them.
        {"foreign letters and a \"Ď\" after b, m, p or v, the only letters past ASCII",
         {"Śliwa", "Ś", "Eva Środa", "ŚLIWA", "Şen", "ü", "Lü", "Kü", "Aü", "Jana Lü-Kü", "VĎAKA", "BĎ", "MĎ", "PĎ",
          "vĎ"}},
        {"letters whose bytes UTF-8 reads as one character of another script", znaky},
        {"300 names as written, in capitals and in small letters", mena},
    };
    QTemporaryDir dir;
    const QString cesta = dir.filePath("Hra.res");
    const auto precitana = [&cesta](const QByteArray &text) {
        QFile::remove(cesta); // a file emptied would be written to the disk at once
        Zapis_subor(cesta, text);
        return Nacti_tabulku_ze_souboru(cesta);
    };
    const auto riadok = [](const QString &meno, int id) { return QStringLiteral("7|%1| 4| 1| 2| %2\r\n").arg(meno).arg(id); };
    const std::pair<const char *, QByteArray (*)(const QString &)> kodovania[] = {
        {"Windows-1250", [](const QString &s) { return Text_do_1250(s); }},
        {"UTF-8", [](const QString &s) { return s.toUtf8(); }},
    };
    for (const auto &[kodovanie, kod] : kodovania)
        for (const auto &p : pripady) {
            SCOPED_TRACE(kodovanie);
            QList<Zaznam_vysledku> trieda;
            QStringList zmenene;
            for (const QString &meno : p.mena) {
                const QList<Zaznam_vysledku> sam{{7, meno, 4, 1, 2, 1}};
                const Tabulka_zo_suboru t = precitana(kod(riadok(meno, 1)));
                if (t.zaznamy != sam || t.neprecitane != 0)
                    zmenene << meno + " as " + t.zaznamy.value(0).jmeno;
                trieda.append({7, meno, 4, 1, 2, 0});
            }
            EXPECT_TRUE(zmenene.isEmpty()) << p.nazov << ": " << zmenene.size() << " of " << p.mena.size()
                                           << " changed, " << zmenene.mid(0, 6).join(", ").toStdString();
            QString text;
            for (const QString &meno : p.mena)
                text += riadok(meno, 0);
            EXPECT_TRUE(precitana(kod(text)).zaznamy == trieda) << p.nazov << ": a class in one table";
        }
}

// Why a file was not written, as the system said it, in Slovak words.
TEST(ResultsFile, TheSystemsReasonIsSaidInSlovak)
{
    const QString subor = QStringLiteral("/trieda/Hra.res");
    const QString zaklad = Text_zapisu(Zapis::Nezapisany, subor);
    const struct { const char *nazov; int chyba; const char *dovod; } pripady[] = {
        {"a full disk", ENOSPC, "Disk je plný."},
        {"this user's quota used up", EDQUOT, "Disk je plný: miesto, ktoré má na ňom tento používateľ vyhradené, sa minulo."},
        {"no permission", EACCES, "Tento používateľ na to nemá povolenie."},
        {"not permitted", EPERM, "Tento používateľ na to nemá povolenie."},
        {"a disk only for reading", EROFS, "Disk je len na čítanie."},
        {"a disk failing", EIO, "Disk sa nedal čítať alebo zapisovať; môže byť poškodený alebo odpojený (EIO)."},
        {"a file system without modes", ENOSYS, "Súborový systém priečinka túto operáciu nepozná (ENOSYS)."},
        {"a name too long", ENAMETOOLONG, "Názov súboru je dlhší, než aký súborový systém dovoľuje (ENAMETOOLONG)."},
        {"one the program has no words of its own for", EADV,
         "Systém ohlásil chybu, ktorú program nevie opísať (EADV)."},
        {"none given", 0, ""},
    };
    for (const auto &r : pripady)
        EXPECT_EQ(Text_zapisu(Zapis::Nezapisany, subor, r.chyba),
                  r.chyba ? zaklad + ' ' + QString::fromUtf8(r.dovod) : zaklad) << r.nazov;
    // A disk disconnected is a network's only where the folder is known to
    // lie on one; a FUSE disk's program may have ended.
    const QString sietovy = "Sieťový disk je odpojený (ENOTCONN).",
                  odpojeny = "Disk priečinka je odpojený; možno sa skončil program, ktorý ho sprístupňoval (ENOTCONN).";
    const struct { const char *druh; QString dovod; } disky[] = {
        {"nfs", sietovy},   {"nfs4", sietovy},  {"cifs", sietovy},        {"smb3", sietovy},
        {"fuse", odpojeny}, {"", odpojeny},     {"fuse.sshfs", odpojeny}, {"ext4", odpojeny},
    };
    for (const auto &d : disky) {
        EXPECT_EQ(Text_zapisu(Zapis::Nezapisany, subor, ENOTCONN, d.druh), zaklad + ' ' + d.dovod) << d.druh;
        const Odpoved uschovany{.osud = Osud::Uschovany, .dovod = Zapis::Zamok_strateny, .chyba_systemu = ENOTCONN,
                                .druh_disku = d.druh};
        EXPECT_TRUE(Text_odpovede(uschovany, subor, {}).contains(". " + d.dovod)) << d.druh;
    }
    // Every error is a Slovak sentence; the system's name for it comes
    // only last, in brackets.
    for (int chyba = 1; chyba < 134; ++chyba) {
        const char *znacka = strerrorname_np(chyba);
        if (!znacka)
            continue;
        const QString dovod = Misc::Dovod_systemu(chyba);
        const QString slova = QString(dovod).remove(QStringLiteral(" (%1).").arg(znacka));
        EXPECT_TRUE(dovod.endsWith('.') && dovod[0].isUpper()) << dovod.toStdString();
        EXPECT_FALSE(slova.contains(QRegularExpression("\\bE[A-Z0-9]{2,}\\b"))) << dovod.toStdString();
    }
    // Those a file's open, write, sync, rename or mode may end in have
    // words of their own.
    for (const int chyba : {EBADF, EBUSY, EDEADLK, EEXIST, EINTR, EINVAL, ELOOP, EMFILE, EMLINK, ENFILE, ENODEV,
                            ENOLCK, ENOMEDIUM, ENOMEM, ENOTEMPTY, ENXIO, EOPNOTSUPP, EOVERFLOW, ESTALE, ETIMEDOUT,
                            ETXTBSY, EUCLEAN, EAGAIN, EXDEV, EILSEQ})
        EXPECT_FALSE(Misc::Dovod_systemu(chyba).contains("nevie opísať")) << strerrorname_np(chyba);
    EXPECT_TRUE(Text_zapisu(Zapis::Bez_poznamky, subor).endsWith("Disk môže byť plný alebo poškodený."))
        << "a note not synced, no reason given";
    // Lost: the result to write down, the name as typed though it looks
    // like a place for a value.
    Odpoved strateny{.osud = Osud::Strateny, .dovod = Zapis::Nezapisany, .chyba_systemu = ENOSPC,
                     .chyba_uschovania = EROFS};
    const QString text = Text_odpovede(strateny, subor, {7, "Ema %1%2", 4, 1, 2, 1});
    EXPECT_TRUE(text.startsWith(zaklad + " Disk je plný.")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(". Disk je len na čítanie. Zapíšte si ho, prosím: Ema %1%2, úloha 7, správne 4, "
                              "nesprávne 1, známka 2."))
        << text.toStdString();
}

TEST(ResultsFile, AResultThatCannotBeSavedLeavesTheTableAlone)
{
    using namespace std::chrono_literals;
    Docasny_config pouzivatel;
    QTemporaryDir dir;
    const QString hd = dir.path() + "/", cesta = hd + "Hra.res";
    const Zaznam_vysledku novy{7, "Nový", 4, 1, 2, 1};
    QList<Zaznam_vysledku> zobrazene{{7, "Eva", 5, 0, 1, 1}};
    ASSERT_TRUE(QDir(dir.path()).mkdir("Hra.res")); // there, but no table
    EXPECT_EQ(Pridaj_riadok(hd, zobrazene, novy).dovod, Zapis::Nie_je_subor);
    EXPECT_TRUE(QFileInfo(cesta).isDir() && QDir(dir.path()).rmdir("Hra.res")) << "never written over";
    EXPECT_EQ(zobrazene, (QList<Zaznam_vysledku>{{7, "Eva", 5, 0, 1, 0}, novy})) << "still shown";

    // A directory under the lock's name is named as such.
    const QString zamok = hd + "Vysledky.lock";
    QFile::remove(zamok); // the lock file stays from the save before
    ASSERT_TRUE(QDir(dir.path()).mkdir("Vysledky.lock"));
    QElapsedTimer cas;
    cas.start();
    EXPECT_EQ(Pridaj_riadok(hd, zobrazene, novy).dovod, Zapis::Zamok_nie_je_subor);
    EXPECT_LT(cas.elapsed(), 2500) << "reported at once";
    EXPECT_TRUE(Text_zapisu(Zapis::Zamok_nie_je_subor, cesta).contains(QDir::toNativeSeparators(zamok)));
    ASSERT_TRUE(QDir(dir.path()).rmdir("Vysledky.lock"));

    // Another program's lock is waited for to the end, whatever its file
    // holds (an old version's process number of another machine), and the
    // file is never written.
    const QByteArray stary = "2147483647\ninej-pocitac-boot\niny\n";
    Zapis_subor(zamok, stary);
    {
        const Misc::Priecinok priecinok(hd);
        Misc::Cakanie pocas;
        const Misc::Zamok_priecinka iny_program(priecinok, 1s, pocas);
        ASSERT_TRUE(iny_program.Drzany());
        const auto zobrazenych = zobrazene.size();
        cas.restart();
        EXPECT_EQ(Pridaj_riadok(hd, zobrazene, novy, 200ms).dovod, Zapis::Obsadeny);
        EXPECT_GE(cas.elapsed(), 200);
        EXPECT_EQ(zobrazene.size(), zobrazenych + 1) << "shown though not saved";
        EXPECT_FALSE(QFile::exists(cesta) || QFile::exists(hd + "Vysledky.dat"));
    }
    EXPECT_EQ(Obsah(zamok), stary);
    const pid_t spadnuty = fork(); // takes the lock and ends without releasing it
    if (spadnuty == 0) {
        Misc::Cakanie pocas;
        new Misc::Zamok_priecinka(*new Misc::Priecinok(hd), 1s, pocas);
        _exit(0);
    }
    waitpid(spadnuty, nullptr, 0);
    EXPECT_EQ(Pridaj_riadok(hd, zobrazene, novy, 50ms).dovod, Zapis::Hotovy) << "the lock went with its program";
}

struct Tabulka : ::testing::Test {
    Program p;
    void SetUp() override { p.Prejdi_titulok(); }

    void Uloz_subor(const QStringList &riadky)
    {
        Zapis_subor(p.hd() + "Hra.res", Misc::Text_do_1250(riadky.join("\r\n") + "\r\n"));
    }
    QStringList Subor() const { return Misc::Riadky_textu(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res"))); }
    Shell::frm_Tabulka *Otvor(const QString &uloha, int varianta = 0)
    {
        Misc::Cislo_ulohy = uloha, Misc::Varianta_ulohy = quint8(varianta);
        Formulare::frm_Tabulka->Load();
        return Formulare::frm_Tabulka.get();
    }
    // A series of task 7 ends: its row and its log entry saved.
    Shell::frm_Tabulka *Seria(const QString &meno)
    {
        auto *t = Otvor("7");
        t->Vloz_novy_zaznam(7, meno, "4", "1", "2", 1);
        t->Vloz_zaznam_do_souboru_vysledky_dat(meno, "Skupina", "Úloha", "4", "1", "2");
        return t;
    }
    // Name, right, wrong and mark of row r as shown.
    static QString Riadok(Shell::frm_Tabulka *t, int r)
    {
        return QStringList{t->LJmeno(r)->Caption, t->LSpravne(r)->Caption, t->LSpatne(r)->Caption,
                           t->LZnamka(r)->Caption}.join(' ').trimmed();
    }
    static bool Cerveny(Shell::frm_Tabulka *t, int r)
    {
        return t->LJmeno(r)->ForeColor == platform::RGB(227, 0, 0) && t->LPoradi(r)->ForeColor == platform::RGB(227, 0, 0);
    }
};

TEST_F(Tabulka, ShowsTheFirstTenOfTheTaskAndKeepsBrokenLinesInACopy)
{
    QStringList riadky;
    for (int i = 1; i <= 12; ++i)
        riadky << QStringLiteral("7|Žiak %1| %2| 0| 1| 0").arg(i).arg(30 - i);
    riadky.insert(3, "12|Iná úloha| 9| 0| 1| 0");
    riadky.insert(5, "7|Zlý|riadok| 1| 1| 1| 0");
    Uloz_subor(riadky);
    auto *t = Otvor("7");
    EXPECT_EQ(Riadok(t, 1), "Žiak 1 29 0 1");
    EXPECT_EQ(Riadok(t, 10), "Žiak 10 20 0 1");
    EXPECT_FALSE(Cerveny(t, 1)) << "opened for viewing: no red row";
    EXPECT_EQ(Subor().size(), 14) << "viewing does not change the file";
    t->Vloz_novy_zaznam(7, "Ľudmila Šťastná-Kováčiková z Horného Kubína", "30", "0", "1", 1);
    const platform::Label *meno = t->LJmeno(1); // too long: one line, cut short with "…"
    EXPECT_TRUE(meno->Caption().endsWith(u'…') && QFontMetrics(platform::makeFont(meno->FontName, meno->FontSize, false)).horizontalAdvance(meno->Caption) <= meno->Width);
    EXPECT_TRUE(!p.box.AskedBoxes().isEmpty() && p.box.AskedBoxes().last().text.contains("Hra.res.bak"))
        << "the pupil is told where the old file is";
}

// The end of a series: the new result sorted among all tasks' (lower mark,
// more right, fewer wrong; after its equals; no mark last) and red, and its
// entry in the log.
TEST_F(Tabulka, EndOfASeriesAddsTheResultSortedAndRed)
{
    Uloz_subor({"7|Bez| 9| 0| 0| 0", "7|Cyril| 3| 2| 2| 0", "3|Boris| 4| 1| 2| 1", "7|Anna| 5| 0| 1| 0",
                "7|Dana| 4| 0| 2| 0"});
    auto *t = Otvor("7");
    t->Vloz_novy_zaznam(7, "Ďuro|Ťažký", "4", "1", "2", 1);
    EXPECT_EQ(Riadok(t, 3), "Ďuro/Ťažký 4 1 2") << "a bar in the name cannot break the file";
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(Cerveny(t, r), r == 3) << "only the new row is red: " << r;
    EXPECT_EQ(Subor(), (QStringList{"7|Anna| 5| 0| 1| 0", "7|Dana| 4| 0| 2| 0", "3|Boris| 4| 1| 2| 0",
                                    "7|Ďuro/Ťažký| 4| 1| 2| 1", "7|Cyril| 3| 2| 2| 0", "7|Bez| 9| 0| 0| 0"}))
        << "only the new result has ID 1";
    Misc::Zvoleny_pocet_prikladu = 5;
    p.hodiny.SetNow(QDateTime(QDate(2027, 3, 5), QTime(8, 4)));
    t->Vloz_zaznam_do_souboru_vysledky_dat("Ďuro|Ťažký", "Skupina", "Úloha", "4", "1", "2");
    const QStringList log = Misc::Riadky_textu(Misc::Text_z_1250(Obsah(p.hd() + "Vysledky.dat")));
    ASSERT_GE(log.size(), 4);
    const QString zaznam = log.mid(log.size() - 4).join('\n');
    for (const QString &co : {Misc::Texty[31] + ": Ďuro/Ťažký ", QStringLiteral(" 5.3.2027 "), QStringLiteral(" 08:04"),
                              Misc::Texty[35] + ": Úloha", Misc::Texty[36] + ":   5 ", QString(75, '=')})
        EXPECT_TRUE(zaznam.contains(co)) << co.toStdString() << " in\n" << zaznam.toStdString();
    t->Unload();
    EXPECT_TRUE(Rovnaky_obrazok(Otvor("19", 2)->Picture, "Bitmap/Tab/19b.bmp")) << "the variant's background";
}

// A new class table: a pupil whose name's bytes UTF-8 reads whole saves,
// another saves after: the first name stays as written, and nobody is told
// of lines they never edited.
TEST_F(Tabulka, ANameTheProgramWroteStaysAsWrittenAtTheNextSave)
{
    for (const QString meno : {"MATÚŠ", "ÓŽ"}) {
        SCOPED_TRACE(meno.toStdString());
        Zapis_subor(p.hd() + "Hra.res", {});
        const auto pred = p.box.AskedBoxes().size();
        Seria(meno)->Unload();
        auto *t = Seria("Jana");
        EXPECT_EQ(Riadok(t, 1), meno + " 4 1 2");
        t->Unload();
        EXPECT_EQ(Subor(), (QStringList{"7|" + meno + "| 4| 1| 2| 0", "7|Jana| 4| 1| 2| 1"}));
        EXPECT_FALSE(QFile::exists(p.hd() + "Hra.res.bak"));
        EXPECT_EQ(p.box.AskedBoxes().size(), pred) << "no message";
    }
}

// A full disk, and a full home besides: the files stay as they were, or
// the row is in and its entry taken back whole, and the pupil hears the
// truth, with the result to write down when it could be kept nowhere. Row
// and entry are kept together, so neither is ever lost alone.
TEST_F(Tabulka, AFullDiskKeepsBothFilesAndTellsThePupilWhereTheResultIs)
{
    QStringList riadky;
    for (int i = 1; i <= 400; ++i)
        riadky << QStringLiteral("7|Žiak %1| 5| 0| 1| 0").arg(i);
    Uloz_subor(riadky);
    const QByteArray tabulka = Obsah(p.hd() + "Hra.res");
    Zapis_subor(p.hd() + "Vysledky.dat", "stary zaznam\r\n" + QByteArray(tabulka.size() + 2000, 'x') + "\r\n");
    const QByteArray log = Obsah(p.hd() + "Vysledky.dat");
    const QString vysledok = "Anna, úloha 7, správne 6, nesprávne 0, známka 1";
    const struct { const char *nazov; qint64 miesta; bool riadok; const char *subor, *sprava; } pripady[] = {
        {"room for the kept result, not for the table", 4096, false, "Hra.res", "uschovaný"},
        {"room for the table, part of the entry", log.size() + 100, true, "Vysledky.dat", "uschovaný"},
        {"a full home too: nothing can be kept", 0, false, "Hra.res", "Zapíšte si ho"},
    };
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        Uloz_subor(riadky);
        auto *t = Otvor("7");
        const auto pred = p.box.AskedBoxes().size();
        {
            Plny_disk disk(r.miesta);
            t->Vloz_novy_zaznam(7, "Anna", "6", "0", "1", 1);
            t->Vloz_zaznam_do_souboru_vysledky_dat("Anna", "7", "x", "6", "0", "1");
        }
        EXPECT_EQ(Obsah(p.hd() + "Hra.res") == tabulka, !r.riadok);
        EXPECT_TRUE(Obsah(p.hd() + "Vysledky.dat") == log) << "no half entry is left behind";
        const bool strateny = QString(r.sprava) == "Zapíšte si ho";
        ASSERT_EQ(p.box.AskedBoxes().size(), pred + 1) << "one message, the entry's joined to its row's";
        const QString prva = p.box.AskedBoxes()[pred].text;
        EXPECT_TRUE(prva.contains(r.subor) && prva.contains(r.sprava)) << prva.toStdString();
        EXPECT_EQ(p.box.AskedBoxes()[pred].title, "Chyba");
        // The file-size limit, as the system said it: for the shared file,
        // and for this user's own where the result could not be kept either.
        EXPECT_EQ(prva.count("väčší, než systém tomuto používateľovi dovoľuje"), strateny ? 2 : 1) << prva.toStdString();
        EXPECT_TRUE(!strateny || (prva.contains(vysledok) && prva.count("Zapíšte si ho") == 1)) << prva.toStdString();
        EXPECT_EQ(Riadok(t, 1), "Anna 6 0 1") << "the result stays on the screen";
        t->Unload();
        EXPECT_TRUE(Vysledky::Dopln_uschovane(p.hd()).poskodene.isEmpty()) << "the next start";
        EXPECT_EQ(Subor().filter("|Anna|").size(), strateny ? 0 : 1);
        EXPECT_EQ(Misc::Text_z_1250(Obsah(p.hd() + "Vysledky.dat")).count(": Anna "), strateny ? 0 : 1);
        Zapis_subor(p.hd() + "Vysledky.dat", log);
    }
}

// Kept parts that came to no good (an empty file, one cut short) are
// reported at the next start, once, and stay for a person to look at.
TEST(Uschovane, DamagedPartsAreReportedAtTheNextStart)
{
    Program p;
    const QString adresar = Misc::Adresar_uschovanych();
    QDir().mkpath(adresar);
    const QString hd = QFileInfo(p.hd() + "Hra.res").absolutePath();
    Zapis_subor(adresar + "000000000000001-prazdny.txt", "");
    const timespec davno[2] = {{1000, 0}, {1000, 0}}; // left by a program long gone
    utimensat(AT_FDCWD, QFile::encodeName(adresar + "000000000000001-prazdny.txt").constData(), davno, 0);
    Zapis_subor(adresar + "000000000000002-useknuty.txt", (hd + "\nriadok\n7|Eva| 4| 1").toUtf8());
    Zapis_subor(adresar + "000000000000003-cely.txt", (hd + "\nriadok\n7|Ida| 4| 1| 2| 1").toUtf8());
    Zapis_subor(adresar + "000000000000004-bez-poznamky.vysledok", "P 1 K" + QByteArray(2100, ' ') + hd.toUtf8());
    // What no program of ours leaves there: never taken in, never silently passed by.
    QTemporaryDir von;
    Zapis_subor(von.filePath("cely"), (hd + "\nriadok\n7|Ema| 4| 1| 2| 1").toUtf8());
    ASSERT_TRUE(QFile::link(von.filePath("cely"), adresar + "000000000000005-odkaz.txt"));
    ASSERT_TRUE(QFile::link(von.filePath("cely"), adresar + "000000000000006-odkaz.vysledok"));
    ASSERT_TRUE(QDir().mkdir(adresar + "000000000000007-priecinok.vysledok"));
    ASSERT_EQ(mkfifo(QFile::encodeName(adresar + "000000000000008-fifo.vysledok").constData(), 0600), 0);
    QFile velky(adresar + "000000000000009-velky.vysledok");
    ASSERT_TRUE(velky.open(QIODevice::WriteOnly) && velky.resize(1024 * 1024 + 1));
    velky.close();
    p.Prejdi_titulok();
    ASSERT_EQ(p.box.AskedBoxes().size(), 1);
    const QString sprava = p.box.AskedBoxes().first().text;
    for (const char *meno : {"prazdny.txt", "useknuty.txt", "bez-poznamky", "odkaz.txt", "odkaz.vysledok",
                             "priecinok.vysledok", "fifo.vysledok", "velky.vysledok"})
        EXPECT_TRUE(sprava.contains(meno)) << meno << " in " << sprava.toStdString();
    EXPECT_FALSE(sprava.contains("cely")) << sprava.toStdString();
    EXPECT_EQ(QDir(adresar).entryList({"*.poskodeny"}, QDir::AllEntries | QDir::System).size(), 8);
    EXPECT_EQ(Obsah(von.filePath("cely")), (hd + "\nriadok\n7|Ema| 4| 1| 2| 1").toUtf8()) << "never followed";
    EXPECT_FALSE(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res")).contains("|Ema|"));
    EXPECT_TRUE(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res")).contains("7|Ida| 4| 1| 2|")) << "a whole part is written";
    EXPECT_TRUE(Vysledky::Dopln_uschovane(p.hd()).poskodene.isEmpty()) << "reported once";
}

// A kept part the disk cannot read now is not damaged: it stays as it is
// and is written once it can be read.
TEST(Uschovane, APartThatCannotBeReadNowIsLeftForTheNextStart)
{
    Program p;
    const QString adresar = Misc::Adresar_uschovanych();
    QDir().mkpath(adresar);
    const QString hd = QFileInfo(p.hd() + "Hra.res").absolutePath();
    Zapis_subor(adresar + "000000000000003-cely.txt", (hd + "\nriadok\n7|Ida| 4| 1| 2| 1").toUtf8());
    const timespec davno[2] = {{1000, 0}, {1000, 0}}; // left by a program long gone
    utimensat(AT_FDCWD, QFile::encodeName(adresar + "000000000000003-cely.txt").constData(), davno, 0);
    const pid_t start = fork();
    if (start == 0) { // every read fails as a failing disk's would
        if (!Zakaz_volania({__NR_read, __NR_pread64}, EIO))
            _exit(2);
        _exit(Vysledky::Dopln_uschovane(p.hd()).poskodene.isEmpty() ? 0 : 1);
    }
    int stav = 0;
    ASSERT_EQ(waitpid(start, &stav, 0), start);
    ASSERT_TRUE(WIFEXITED(stav) && WEXITSTATUS(stav) != 2) << "no read can be made to fail here";
    EXPECT_EQ(WEXITSTATUS(stav), 0) << "nothing reported damaged";
    EXPECT_TRUE(QDir(adresar).entryList({"*.poskodeny"}).isEmpty());
    EXPECT_TRUE(Vysledky::Dopln_uschovane(p.hd()).poskodene.isEmpty());
    EXPECT_EQ(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res")).count("7|Ida| 4| 1| 2|"), 1);
}

// Parts the program's earlier version kept, a row and an entry in a file
// each, are written at the next start, once; each file goes from the folder
// it was found in, though this user's data folder is named anew meanwhile.
TEST(Uschovane, PartsKeptByTheEarlierVersionAreWrittenOnceFromTheFolderTheyLieIn)
{
    Program p;
    const QString adresar = Misc::Adresar_uschovanych(), hd = QFileInfo(p.hd() + "Hra.res").absolutePath();
    QDir().mkpath(adresar);
    Zapis_subor(adresar + "000000000000001-a.txt", (hd + "\nriadok\n7|Ida| 4| 1| 2| 1").toUtf8());
    const QString log = QStringLiteral("Meno: Ida \r\n2\r\n3\r\n%1\r\n").arg(QString(75, '='));
    Zapis_subor(adresar + "000000000000002-b.txt", (hd + "\nlog\n" + log).toUtf8());
    Vysledky::Dopln_uschovane(p.hd());
    Vysledky::Dopln_uschovane(p.hd());
    EXPECT_EQ(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res")).count("7|Ida| 4| 1| 2|"), 1);
    EXPECT_EQ(Misc::Text_z_1250(Obsah(p.hd() + "Vysledky.dat")).count(log), 1);
    EXPECT_TRUE(QDir(adresar).entryList(QDir::Files).isEmpty());

    static QTemporaryDir iny;
    const QString iny_adresar = iny.path() + "/loravik-kvantira2/neulozene/";
    QDir().mkpath(iny_adresar);
    Zapis_subor(iny_adresar + "000000000000003-c.txt", "/inde\nriadok\n7|Ema| 4| 1| 2| 1"); // another folder's
    Zapis_subor(adresar + "000000000000003-c.txt", (hd + "\nriadok\n7|Eva| 4| 1| 2| 1").toUtf8());
    Misc::Po_kroku = [] { qputenv("XDG_DATA_HOME", QFile::encodeName(iny.path())); };
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    Vysledky::Dopln_uschovane(p.hd());
    Misc::Po_kroku = nullptr;
    qputenv("XDG_DATA_HOME", data);
    EXPECT_EQ(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res")).count("7|Eva| 4| 1| 2|"), 1);
    EXPECT_TRUE(QDir(adresar).entryList(QDir::Files).isEmpty()) << "not to be written again";
    EXPECT_TRUE(QFile::exists(iny_adresar + "000000000000003-c.txt")) << "left alone";
}

// The lock's file deleted the moment the new table took its place, after
// the wait's deadline: the row is in the table, and said so, and not added
// again later. Where another holder, which got a new lock file deleted just
// before our rename, read the table before it and writes after it, our row
// is gone again: it goes in once more.
TEST(Uschovane, ARowWrittenAsTheLockWentIsInOnceThoughAnotherHolderWroteOverIt)
{
    static QString hd, zamok;
    static QByteArray precitana;
    static bool zmazany, iny;
    const QByteArray stara = "7|Ida| 5| 0| 1| 1\r\n";
    for (const bool s_inym : {false, true}) {
        SCOPED_TRACE(s_inym ? "another holder wrote over our row" : "nobody else wrote");
        Docasny_config pouzivatel;
        QTemporaryDir dir;
        hd = dir.path() + "/", zamok = hd + "Vysledky.lock", zmazany = false, iny = s_inym, precitana.clear();
        Zapis_subor(hd + "Hra.res", stara);
        Misc::Po_kroku = [] {
            if (iny && precitana.isEmpty() && !QDir(hd).entryList({"Hra.res.*.novy"}).isEmpty())
                precitana = Obsah(hd + "Hra.res"); // our new table on its way: not yet renamed
            if (zmazany || !Misc::Text_z_1250(Obsah(hd + "Hra.res")).contains("|Eva|"))
                return;
            zmazany = QFile::remove(zamok);
            // The other holder's table: what it read, and its row.
            if (iny && Zapis_subor(hd + "iny", precitana.replace("| 1\r\n", "| 0\r\n") + "7|Iný| 3| 2| 3| 1\r\n"))
                ::rename(QFile::encodeName(hd + "iny").constData(), QFile::encodeName(hd + "Hra.res").constData());
        };
        QList<Zaznam_vysledku> zobrazene;
        const Odpoved odpoved = Pridaj_riadok(hd, zobrazene, {7, "Eva", 4, 1, 2, 1}, std::chrono::milliseconds(0));
        Misc::Po_kroku = nullptr;
        ASSERT_TRUE(zmazany);
        EXPECT_TRUE(!s_inym || precitana.startsWith(stara.left(12))) << "read before our rename";
        EXPECT_EQ(odpoved.osud, s_inym ? Osud::Uschovany : Osud::Ulozeny) << "past its deadline: kept";
        Vysledky::Dopln_uschovane(hd);
        const QString tabulka = Misc::Text_z_1250(Obsah(hd + "Hra.res"));
        EXPECT_EQ(tabulka.count("|Eva|"), 1);
        EXPECT_EQ(tabulka.count("|Iný|"), s_inym ? 1 : 0);
        EXPECT_EQ(tabulka.count("|Ida|"), 1);
    }
}

// A result kept for later (its program died) is taken in at the next start
// while the table holds a line the program cannot write back as it was (a
// tab in a name): the old file is copied beside it, and the start says
// where, as a save says it.
TEST(Uschovane, TheStartSaysWhereTheOldTableIsWhenTakingInAKeptResultChangedALine)
{
    Program p;
    ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = p.hd(), .meno = "Eva", .zabi_ked = [] { return !Uschovane_subory().isEmpty(); }})));
    Zapis_subor(p.hd() + "Hra.res", "7|Ad\tam| 5| 0| 1| 0\r\n");
    p.Prejdi_titulok();
    ASSERT_EQ(p.box.AskedBoxes().size(), 1);
    EXPECT_EQ(p.box.AskedBoxes().first().title, "Upozornenie");
    EXPECT_TRUE(p.box.AskedBoxes().first().text.contains(QDir::toNativeSeparators(p.hd() + "Hra.res.bak")))
        << p.box.AskedBoxes().first().text.toStdString();
    EXPECT_EQ(Obsah(p.hd() + "Hra.res.bak"), "7|Ad\tam| 5| 0| 1| 0\r\n");
    EXPECT_EQ(Misc::Text_z_1250(Obsah(p.hd() + "Hra.res")), "7|Ad am| 5| 0| 1| 0\r\n7|Eva| 4| 1| 2| 1\r\n");
}

// What a pupil or another user may leave under the names of the results
// files in a shared folder: never followed, never waited on, never changed.
TEST_F(Tabulka, LinksFifosAndDevicesAreReportedAndLeftAlone)
{
    QTemporaryDir von; // another file of the user running the program
    const QString ciel = von.filePath("bashrc");
    const QByteArray povodny = "alias ls='ls --color'\n";
    const auto link = [&](const QString &meno) { return QFile::link(ciel, meno); };
    const auto pevny = [&](const QString &meno) {
        return ::link(QFile::encodeName(ciel).constData(), QFile::encodeName(meno).constData()) == 0;
    };
    const auto fifo = [](const QString &meno) { return mkfifo(QFile::encodeName(meno).constData(), 0666) == 0; };
    // A device node as a pupil with rights to make one would leave it; a link
    // to one where we may not make it.
    const auto zariadenie = [](const QString &meno) {
        return mknod(QFile::encodeName(meno).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0
            || QFile::link("/dev/zero", meno);
    };
    const auto velky = [](const QString &meno) { // sparse: takes no room
        QFile f(meno);
        return f.open(QIODevice::WriteOnly) && f.resize(Misc::Najvacsi_subor + 1);
    };
    const char *obycajny = "nie je obyčajný súbor", *ine_meno = "má ešte iné meno";
    const struct { const char *nazov, *subor; std::function<bool(const QString &)> urob; const char *sprava; } pripady[] = {
        {"table: a link to another file", "Hra.res", link, obycajny},
        {"log: a link to the teacher's shell start-up file", "Vysledky.dat", link, obycajny},
        {"table: a hard link to another file (its lines not copied into a .bak)", "Hra.res", pevny, ine_meno},
        {"log: a hard link to the teacher's shell start-up file", "Vysledky.dat", pevny, ine_meno},
        {"table: a FIFO", "Hra.res", fifo, obycajny},
        {"log: a FIFO", "Vysledky.dat", fifo, obycajny},
        {"table: a device that never ends", "Hra.res", zariadenie, obycajny},
        {"table: larger than any table", "Hra.res", velky, "väčší"},
    };
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        Zapis_subor(ciel, povodny);
        const QString cesta = p.hd() + r.subor;
        QFile::remove(cesta);
        ASSERT_TRUE(r.urob(cesta));
        struct stat pred_ulozenim {}, po_ulozeni {};
        ASSERT_EQ(lstat(QFile::encodeName(cesta).constData(), &pred_ulozenim), 0);
        auto *t = Otvor("7");
        const auto pred = p.box.AskedBoxes().size();
        QElapsedTimer cas;
        cas.start();
        t->Vloz_novy_zaznam(7, "Eva", "4", "1", "2", 1);
        t->Vloz_zaznam_do_souboru_vysledky_dat("Eva", "Skupina", "$(rm -rf ~)", "4", "1", "2");
        EXPECT_LT(cas.elapsed(), 5000) << "nothing waited on";
        EXPECT_EQ(Obsah(ciel), povodny) << "the target is untouched";
        ASSERT_EQ(lstat(QFile::encodeName(cesta).constData(), &po_ulozeni), 0);
        EXPECT_EQ(po_ulozeni.st_ino, pred_ulozenim.st_ino) << "the name is left as it was";
        EXPECT_FALSE(QFile::exists(p.hd() + "Hra.res.bak"));
        ASSERT_EQ(p.box.AskedBoxes().size(), pred + 1);
        EXPECT_EQ(p.box.AskedBoxes().last().title, "Chyba");
        EXPECT_TRUE(p.box.AskedBoxes().last().text.contains(r.subor) && p.box.AskedBoxes().last().text.contains(r.sprava))
            << p.box.AskedBoxes().last().text.toStdString();
        QFile::remove(cesta);
        t->Unload();
    }
}

TEST_F(Tabulka, AResultThatCouldNotBeSavedComesBackOnceAtTheNextSaveOrStart)
{
    const QString zamok = p.hd() + "Vysledky.lock";
    const auto seria = [this](const QString &meno) { return Seria(meno); };
    const auto pocet = [this](const QString &meno) {
        return std::pair(int(Subor().filter("|" + meno + "|").size()),
                         int(Misc::Text_z_1250(Obsah(p.hd() + "Vysledky.dat")).count(meno)));
    };
    ASSERT_TRUE(QDir().mkdir(zamok)); // no save can have the lock
    seria("Eva")->Unload();
    ASSERT_FALSE(p.box.AskedBoxes().isEmpty());
    EXPECT_TRUE(p.box.AskedBoxes().last().text.contains("uschovaný")) << "the pupil is told it is kept";
    EXPECT_EQ(pocet("Eva"), std::pair(0, 0));
    ASSERT_TRUE(QDir().rmdir(zamok));
    auto *t = seria("Ivan");
    EXPECT_EQ(pocet("Eva"), std::pair(1, 1)) << "back at the next save";
    EXPECT_EQ(Riadok(t, 1), "Eva 4 1 2");
    t->Unload();
    seria("Oto")->Unload();
    EXPECT_EQ(pocet("Eva"), std::pair(1, 1)) << "written once";

    ASSERT_TRUE(QFile::remove(zamok) && QDir().mkdir(zamok));
    seria("Ema")->Unload();
    ASSERT_TRUE(QDir().rmdir(zamok));
    Vysledky::Dopln_uschovane(p.hd()); // the next start
    EXPECT_EQ(pocet("Ema"), std::pair(1, 1)) << "back at the next start";
    EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).isEmpty());
}

} // namespace
