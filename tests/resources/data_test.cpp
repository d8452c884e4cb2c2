// The default data directory: texts, task sections, empty results (the
// marks are checked where the results table reads them).
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

TEST(DefaultData, TaskFileHasTwentyOneSectionsInOrderAndResultsStartEmpty)
{
    QStringList heads, expected;
    for (const QString &line : unscrambledLines(dataDir() + QStringLiteral("/Hra.dat")))
        if (line.startsWith(QLatin1Char('[')))
            heads.append(line);
    for (int n = 1; n <= 21; ++n)
        expected.append(QStringLiteral("[%1]").arg(n));
    EXPECT_EQ(heads, expected);
    for (const char *name : {"Hra.res", "Vysledky.dat"}) {
        const QFileInfo info(dataDir() + QLatin1Char('/') + QLatin1String(name));
        EXPECT_TRUE(info.exists() && info.size() == 0) << name;
    }
}
