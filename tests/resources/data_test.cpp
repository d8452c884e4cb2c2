// The default data directory: texts, marks, task sections, empty results.
#include "support.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace ResourcesTest;

namespace {

QStringList texts()
{
    static const QStringList lines = unscrambledLines(dataDir() + QStringLiteral("/Texty.dat"));
    return lines;
}

QString text(int index) { return index >= 1 && index <= texts().size() ? texts()[index - 1] : QString(); }

struct MarkRow { double low, high; int mark; };

QList<MarkRow> marks()
{
    QList<MarkRow> rows;
    for (const QString &line : windowsLines(readAll(dataDir() + QStringLiteral("/Znamky.dat")))) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() >= 3)
            rows.append({f[0].trimmed().toDouble(), f[1].trimmed().toDouble(), f[2].trimmed().toInt()});
    }
    return rows;
}

// The marks lookup: every row is tried and the last row that holds p wins.
int markFor(double p)
{
    int mark = 0;
    for (const MarkRow &row : marks())
        if (row.low <= p && p <= row.high)
            mark = row.mark;
    return mark;
}

} // namespace

TEST(DefaultData, TextsCoverEveryIndexTheScreensUse)
{
    ASSERT_EQ(texts().size(), 67);
    for (int i = 1; i <= 67; ++i) {
        if (i == 42) // no screen reads text 42
            continue;
        EXPECT_FALSE(text(i).trimmed().isEmpty()) << "text " << i;
    }
    // Texts that reach the results log are padded to 20 and 30 characters there.
    for (int group : {3, 7, 11, 16, 21, 26})
        EXPECT_LE(text(group).size(), 20) << "group title " << group;
    for (int task : {4, 5, 6, 8, 9, 10, 12, 13, 14, 15, 17, 18, 19, 20, 22, 23, 24, 25, 27, 28, 29})
        EXPECT_LE(text(task).size(), 30) << "task title " << task;
}

TEST(DefaultData, TextsKeepSlovakLettersThroughTheCodePage)
{
    const QString all = texts().join(QLatin1Char('\n'));
    for (const char *word : {"Naozaj chceš ukončiť program?", "Číselné výrazy", "Percentá a úmernosť",
                             "Známka", "Tlač pracovného listu"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(word))) << word;
    EXPECT_FALSE(all.contains(QChar::ReplacementCharacter));
    // Scrambled on disk: the plain words are not readable there.
    EXPECT_FALSE(readAll(dataDir() + QStringLiteral("/Texty.dat")).contains("Koniec"));
}

TEST(DefaultData, MarksCoverEveryPercentageWithTheSlovakScale)
{
    ASSERT_EQ(marks().size(), 5);
    QList<int> seen;
    for (const MarkRow &row : marks())
        seen.append(row.mark);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (QList<int>{1, 2, 3, 4, 5}));
    for (int i = 0; i <= 100000; ++i)
        ASSERT_NE(markFor(i / 1000.0), 0) << "no mark for " << i / 1000.0 << " %";
    // Computed as the results table computes it: 11 of 20 is a hair above 55.
    for (int total = 1; total <= 25; ++total)
        for (int right = 0; right <= total; ++right)
            ASSERT_NE(markFor(double(right) / total * 100), 0) << right << " of " << total;
    EXPECT_EQ(markFor(100), 1);
    EXPECT_EQ(markFor(0), 5);
    EXPECT_GE(markFor(50), markFor(90)) << "more right answers never give a worse mark";
}

TEST(DefaultData, TaskFileHasTwentyOneSectionsInOrder)
{
    QStringList heads;
    for (const QString &line : unscrambledLines(dataDir() + QStringLiteral("/Hra.dat")))
        if (line.startsWith(QLatin1Char('[')))
            heads.append(line);
    QStringList expected;
    for (int n = 1; n <= 21; ++n)
        expected.append(QStringLiteral("[%1]").arg(n));
    EXPECT_EQ(heads, expected);
}

TEST(DefaultData, ResultsStartEmpty)
{
    for (const char *name : {"Hra.res", "Vysledky.dat"}) {
        const QFileInfo info(dataDir() + QLatin1Char('/') + QLatin1String(name));
        EXPECT_TRUE(info.exists()) << name;
        EXPECT_EQ(info.size(), 0) << name;
    }
}
