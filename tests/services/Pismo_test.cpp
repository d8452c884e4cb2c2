// The private font is there by name while registered, and gone after.
#include "services/Konfigurace.h"
#include "services/Pismo.h"

#include <QFontDatabase>
#include <gtest/gtest.h>

using namespace Misc;

TEST(Zaregistruj_pismo, FamilyRuvoIsAvailableUntilRemoved)
{
    const QString ruvo = QStringLiteral("Ruvo");
    ASSERT_FALSE(QFontDatabase::families().contains(ruvo)) << "not a font of the system";
    // The resource directory as an INI may name it: backslash paths inside.
    Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");

    Zaregistruj_pismo();
    EXPECT_EQ(Soubor_pisma, Cesta_CD + "Data\\Ruvo.ttf");
    EXPECT_TRUE(QFontDatabase::families().contains(ruvo));

    Zaregistruj_pismo(); // twice registers it once
    Odeber_pismo();
    EXPECT_FALSE(QFontDatabase::families().contains(ruvo));
    Odeber_pismo(); // harmless when nothing is registered
}
