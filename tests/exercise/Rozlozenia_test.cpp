// Every answer-sheet layout against the results its description states:
// places, row steps, element counts, visibility, Tab order and fonts.
#include "Harok_support.h"

using namespace harok_test;

namespace {

QString Krat(const char *hodnota, int n)
{
    QStringList r;
    for (int i = 0; i < n; ++i)
        r << QLatin1String(hodnota);
    return r.join(' ');
}

QString Krokom(int prvy, int krok, int n)
{
    QStringList r;
    for (int i = 0; i < n; ++i)
        r << QString::number(prvy + krok * i);
    return r.join(' ');
}

// Tab order of examples with `riadkov` rows: column by column, row by row.
QString Stlpce(const QStringList &stlpce, int prikladov, int riadkov)
{
    QStringList r;
    for (int e = 1; e <= prikladov; ++e)
        for (const QString &s : stlpce)
            for (int j = 1; j <= riadkov; ++j)
                r << QStringLiteral("%1(%2)").arg(s).arg(riadkov * (e - 1) + j);
    return r.join(' ');
}

QString Riadky(int n) { return Stlpce({"TV1", "TV2", "TV3"}, n, 1); }

const QStringList Sest{"TV1", "TV2", "TV3", "TV4", "TV5", "TV6"};

struct Riadok {
    const char *nazov, *uloha;
    int varianta;
    QString dotaz, ocakavane;
};

TEST(Rozlozenia, EveryLayoutAgainstItsStatedResults)
{
    const Riadok tabulka[] = {
        // Two-line rows of tasks 1-3 and 12
        {"1-3: row 1", "1", 0, "TZ1(1) TR1(1) TV1(1) TV2(1) IHod(1)",
         "55,105,220,20 277,105,25,20 303,105,163,20 493,105,75,20 590,100,32,32"},
        {"1-3: row 10 at 420, its mark at 415", "2", 0, "TZ1(10) TV2(10) IHod(10)", "55,420,220,20 493,420,75,20 590,415,32,32"},
        {"12: narrow signs, wide first cell", "12", 0, "TZ1(1) TR1(1) TV1(1) TR2(1) TV2(1) IHod(1)",
         "55,105,80,20 135,105,15,20 150,105,270,20 420,105,15,20 435,105,140,20 590,100,32,32"},
        {"only the given text and the two cells shown", "1", 0, "viditelne", "TV1(1) TV2(1) TZ1(1)"},
        {"Tab down the columns of each example", "1", 0, "tab", Stlpce({"TV1", "TV2"}, 5, 2)},
        {"loaded cells centred and unlocked", "2", 0, "TV1(2..10).Alignment TV2(2..10).Locked", Krat("2", 9) + ' ' + Krat("0", 9)},
        // One-cell rows of tasks 4-10 and 19a
        {"nudged row 1", "4", 0, "TZ1(1) TR1(1) TV1(1) IHod(1)", "55,105,230,20 287,105,25,20 313,105,257,20 590,100,32,32"},
        {"rows 70 apart, marks 5 px higher", "7", 0, "TZ1(1..5).Top IHod(1..5).Top", "105 175 245 315 385 100 170 240 310 380"},
        {"loaded rows copy the nudges", "10", 0, "TZ1(5) TR1(3) TV1(4)", "55,385,230,20 287,245,25,20 313,315,257,20"},
        {"second column moved, hidden, no tab stop", "5", 0, "TR2(1).Top TV2(1).Top TR2(1).Visible TV2(1).Visible TV2(1).TabStop", "105 105 0 0 0"},
        {"four arrays of five rows", "4", 0, "pocty", "TV1 5, TZ1 5, TR1 5, IHod 5"},
        {"Tab cycle row by row", "19", 1, "tab", "TV1(1) TV1(2) TV1(3) TV1(4) TV1(5)"},
        // Word problems of 19b
        {"row 1", "19", 2, "TZ1(1) TR1(1) TV1(1) TV4(1) IHod(1)",
         "30,105,539,20 29,145,25,20 57,145,87,20 487,145,81,20 590,100,32,32"},
        {"rows 90 apart, row 5 below the window", "19", 2, "TZ1(1..5).Top TV4(1..5).Top IHod(5).Top",
         "105 195 285 375 465 145 235 325 415 505 460"},
        {"TV3(1), TV4(1) stay hidden", "19", 2, "viditelne", "TV1(1) TV2(1) TZ1(1)"},
        {"Tab along each row", "19", 2, "tab", Stlpce({"TV1", "TV2", "TV3", "TV4"}, 5, 1)},
        // Fraction rows of 13 and 14
        {"touching columns", "13", 0, "TZ1(1) TZR(1) TZ2(1) TR1(1) TV2(1) IHod(1)",
         "32,105,55,20 87,105,15,20 102,105,55,20 157,105,15,20 422,105,153,20 590,100,32,32"},
        {"ten rows of eight arrays", "13", 0, "pocty", "TV1 10, TV2 10, TZ1 10, TZ2 10, TZR 10, TR1 10, TR2 10, IHod 10"},
        {"Tab down the columns of each example", "14", 0, "tab", Stlpce({"TV1", "TV2"}, 5, 2)},
        {"TabIndex 6k-5 to 6k-2, with gaps", "13", 0, "TV1(1..4).TabIndex TV2(3..4).TabIndex TV2(10).TabIndex", "1 2 7 8 9 10 28"},
        // Condition lines of 11
        {"line 1", "11", 0, "TZ1(1) TV1(1) TR1(1) ICheck(1) TV3(1) TV4(1) IHod(1)",
         "32,105,150,20 221,105,106,20 327,105,20,20 397,100,32,32 449,105,106,20 575,105,30,20 588,100,32,32"},
        {"line 9", "11", 0, "TV4(9) ICheck(9)", "575,385,30,20 397,380,32,32"},
        {"nine lines, three marks", "11", 0, "pocty", "TV1 9, TV2 9, TV3 9, TV4 9, TZ1 9, TR1 9, TR2 9, IHod 3, ICheck 9"},
        {"Tab along each line", "11", 0, "tab", Stlpce({"TV1", "TV2", "TV3", "TV4"}, 9, 1)},
        {"bold maths-font signs", "11", 0, "TR1(1).Caption TR2(9).Caption TR1(9).FontBold TR2(1).FontName TR1(5).FontSize",
         QStringLiteral("\"\u017C\" \"\u017C\" 1 Ruvo 12")},
        {"the given text keeps the design font", "11", 0, "TZ1(2).FontName", "MS Sans Serif"},
        // Proportion rows of 20
        {"columns from the form", "20", 0, "TZ1(1) TV1(1) TV2(1) TV3(1) IHod(1) TV3(10) IHod(10)",
         "55,105,220,20 303,105,163,20 493,105,75,20 304,105,163,20 590,100,32,32 304,420,163,20 590,415,32,32"},
        {"x labels from row 2", "20", 0, "TR1(1).Caption TR1(2).Caption TR1(10).Caption", "\"=\" \"x = \" \"x = \""},
        {"six arrays of ten, TR2 single", "20", 0, "pocty", "TV1 10, TV2 10, TV3 10, TZ1 10, TR1 10, IHod 10"},
        {"TV1(1), TV2(1) hidden", "20", 0, "viditelne", "TZ1(1)"},
        {"Tab down three columns", "20", 0, "tab", Stlpce({"TV1", "TV2", "TV3"}, 5, 2)},
        // Equation lines of 15, 16, 18
        {"15: line 1", "15", 0, "TZ1(1) TZR(1) TZ2(1) TV1(1) TV2(1) TR1(1) TV3(1) IHod(1)",
         "48,130,179,20 227,130,15,20 242,130,179,20 48,130,179,20 242,130,179,20 421,130,15,20 436,130,120,20 608,125,32,32"},
        {"15: nudged lines", "15", 0, "TZ1(1..7).Top TV3(1..7).Top TZR(1..7).Top", Krat("130 190 230 270 340 380 430", 3)},
        {"15: seven lines", "15", 0, "pocty", "TV1 7, TV2 7, TV3 7, TZ1 7, TZR 7, TR1 7"},
        {"15: Tab along each line", "15", 0, "tab", Riadky(7)},
        {"15: TR2, TR3 hidden; last TabIndex", "15", 0, "TR2(1).Visible TR3(1).Visible TV3(7).TabIndex", "0 0 21"},
        {"15: maths font, signs keep theirs", "15", 0, "TZ2(1).FontName TV2(4).FontName TV3(7).FontSize TR1(1).FontName",
         "Ruvo Ruvo 12 MS Sans Serif"},
        {"16: header", "16", 0, "TZ1(1) TR2(1) TZR(1) TZ4(1) TZ4(2) TZ1(2)",
         "48,130,82,20 130,130,15,20 227,130,15,20 339,130,82,20 339,130,82,20 48,140,82,20"},
        {"16: lines", "16", 0, "TV1(1..8).Top TZ1(3..8).Top", "130 190 230 270 310 390 430 480 230 270 310 390 430 480"},
        {"16: eight lines, header halves", "16", 0, "pocty", "TV1 8, TV2 8, TV3 8, TZ1 8, TZ2 2, TZ3 2, TZ4 2, TZR 8, TR1 8"},
        {"16: Tab along each line", "16", 0, "tab", Riadky(8)},
        {"18: right of the sign column 9 px on", "18", 0, "TZ1(1) TR2(1) TZ2(2) TZR(1) IZnam(1) TZ3(1) TR3(1) TZ4(1)",
         "48,130,82,20 130,130,15,20 145,130,82,20 227,130,15,20 227,145,24,32 251,130,82,20 333,130,15,20 348,130,82,20"},
        {"18: cells and mark", "18", 0, "TV1(1) TV2(1) TR1(1) TV3(1) IHod(1)", "48,130,179,20 251,130,179,20 430,130,15,20 445,130,120,20 617,125,32,32"},
        {"18: lines", "18", 0, "TV2(1..9).Top TZ1(1..9).Top", "130 190 230 270 310 390 430 480 530 130 140 230 270 310 390 430 480 530"},
        {"18: sign images take no nudge", "18", 0, "IZnam(1..9).Top", Krokom(145, 50, 9)},
        {"18: nine lines", "18", 0, "pocty", "TV1 9, TV2 9, TV3 9, TZ1 9, TZ2 2, TZ3 2, TZ4 2, TZR 9, TR1 9, IZnam 9"},
        {"18: Tab along each line", "18", 0, "tab", Riadky(9)},
        // Re-stacked lines of 17
        {"header", "17", 0, "TZ1(1) TR2(1) TZ3(1) TZR(1) TR4(1) TZ5(2)",
         "48,115,50,20 98,115,14,20 177,115,50,20 227,115,15,20 324,115,15,20 339,115,82,20"},
        {"cells, check, switch, mark", "17", 0, "TV1(1) TV2(1) TR1(1) TV3(1) ICheck(1) ICheck(12) IHod(1)",
         "48,115,179,20 242,115,179,20 421,115,15,20 436,115,120,20 575,110,32,32 575,60,32,32 608,110,32,32"},
        {"conditions line under line 1", "17", 0, "TV1(1..12).Top", "115 225 265 305 345 445 465 515 565 615 665 175"},
        {"TZ1 one step above its line", "17", 0, "TZ1(1..12).Top", "115 125 215 255 295 395 415 465 515 565 615 665"},
        {"twelve lines, switch 12 only", "17", 0, "pocty",
         "TV1 12, TV2 12, TV3 12, TZ1 12, TZ2 2, TZ3 2, TZ4 2, TZ5 2, TZR 12, TR1 12, ICheck 1,12"},
        {"Tab over lines 1-10; 11 and 12 where created", "17", 0, "tab",
         Riadky(10) + " TV1(11) TV2(11) TV3(11) TV1(12) TV2(12) TV3(12)"},
        {"switch enabled and hidden", "17", 0, "ICheck(12).Enabled ICheck(12).Visible ICheck(1).Enabled", "1 0 1"},
        {"shown as designed, TR4(1) not hidden by the layout", "17", 0, "viditelne TR4(1).Left", "TV1(1) TV2(1) TZ1(1) 324"},
        {"maths font; loaded cells centred", "17", 0, "TZ5(2).FontName TZ1(12).FontName TV1(12).FontSize TV2(2..12).Alignment",
         "Ruvo Ruvo 12 " + Krat("2", 11)},
        // Value table of 21
        {"a: row 1", "21", 1, "TZ1(1) TV1(1) TV2(1) TZ7(1)", "28,153,20,20 49,155,39,18 89,155,39,18 249,155,39,18"},
        {"a: TR1 and the marks", "21", 1, "TR1(1).Left TR1(1).Top IHod(4..5)", "169 153 296,358,32,32 552,423,32,32"},
        {"a: row pairs shifted", "21", 1, "TV1(1..10).Top", "155 194 208 246 301 339 355 393 462 500"},
        {"a: 10-point cells, heading keeps 12", "21", 1, "TV6(10).FontSize TZ7(10).FontSize TZ1(1).FontSize", "9.75 9.75 12"},
        {"b: row 1", "21", 2, "TZ1(1) TV1(1) TZ7(1)", "215,106,36,20 252,108,54,18 527,108,54,18"},
        {"b: TR1 and the marks", "21", 2, "TR1(1).Left TR1(1).Top IHod(1..5).Top", "417 106 110 187 264 341 418"},
        {"b: row pairs shifted", "21", 2, "TZ1(1..10).Top", "106 145 180 218 254 292 328 366 402 440"},
        {"b: value labels of rows 3-10 stay", "21", 2, "TV1(9..10).Top TZ2(9..10).Top", "404 442 413 451"},
        {"ten rows of fourteen arrays, five marks", "21", 2, "pocty",
         "TV1 10, TV2 10, TV3 10, TV4 10, TV5 10, TV6 10, TZ1 10, TZ2 10, TZ3 10, TZ4 10, TZ5 10, TZ6 10, TZ7 10, TR1 10, IHod 5"},
        {"Tab down each column of an example", "21", 1, "tab", Stlpce(Sest, 5, 2)},
        {"centred labels, unlocked cells, transparent heading", "21", 1,
         "TZ4(1..10).Alignment TV6(1..10).Locked TZ1(1).BackStyle TZ1(7).Alignment TR2(1).Visible",
         Krat("2", 10) + ' ' + Krat("0", 10) + " 0 2 0"},
    };
    for (const Riadok &r : tabulka)
        EXPECT_EQ(Dotaz(*Harok_ulohy(r.uloha, r.varianta), r.dotaz).toStdString(), r.ocakavane.toStdString())
            << r.nazov << " (task " << r.uloha << "): " << r.dotaz.toStdString();
}

} // namespace
