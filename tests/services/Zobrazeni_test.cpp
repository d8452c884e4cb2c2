// Display mode for the run, and the sounds and waits every screen uses.
#include "services/Cekani.h"
#include "services/Konfigurace.h"
#include "services/Tabulky.h"
#include "services/Zobrazeni.h"
#include "services/Zvuky.h"

#include "platform/Services.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/Fixtures.h"

using namespace Misc;
using namespace platform;

namespace {

struct Texty_rezimu {
    Texty_rezimu()
    {
        Texty[40] = QStringLiteral("Nedá sa prepnúť rozlíšenie.");
        Texty[41] = QStringLiteral("Rozlíšenie");
        Texty[43] = QStringLiteral("Nedá sa obnoviť rozlíšenie.");
        Texty[44] = QStringLiteral("Obnova");
    }
};

} // namespace

TEST(Zmen_rozliseni, SwitchesTo640x480x16AndRestoresTheSavedMode)
{
    Texty_rezimu texty;
    FakeDisplayMode displej({1920, 1080, 32, 75, 0});
    FakeMessageBox box;
    ScopedService<DisplayMode> g1(displej);
    ScopedService<MessageBox> g2(box);

    EXPECT_TRUE(Zmen_rozliseni());
    Obnov_rozliseni();

    ASSERT_EQ(displej.Changes().size(), 2);
    const auto &prepnutie = displej.Changes()[0];
    EXPECT_EQ(prepnutie.mode.width, 640);
    EXPECT_EQ(prepnutie.mode.height, 480);
    EXPECT_EQ(prepnutie.mode.bitsPerPixel, 16);
    EXPECT_EQ(prepnutie.mode.fields, 0x1C0000u);
    EXPECT_EQ(prepnutie.flags, DisplayChangeReset);
    const auto &obnova = displej.Changes()[1];
    EXPECT_EQ(obnova.mode.width, 1920);
    EXPECT_EQ(obnova.mode.height, 1080);
    EXPECT_EQ(obnova.mode.bitsPerPixel, 32);
    EXPECT_EQ(obnova.mode.frequency, 75);
    EXPECT_EQ(obnova.mode.fields, 0x5C0000u);
    EXPECT_TRUE(box.AskedBoxes().isEmpty());
}

TEST(Zmen_rozliseni, IsAskedForEvenWhenTheDisplayIsThereAlready)
{
    FakeDisplayMode displej({640, 480, 16, 60, 0});
    ScopedService<DisplayMode> g(displej);
    EXPECT_TRUE(Zmen_rozliseni());
    EXPECT_EQ(displej.Changes().size(), 1);
}

TEST(Zmen_rozliseni, RefusalsShowTheirTextsAndTheProgramGoesOn)
{
    Texty_rezimu texty;
    FakeDisplayMode displej;
    FakeMessageBox box;
    ScopedService<DisplayMode> g1(displej);
    ScopedService<MessageBox> g2(box);
    displej.FailWith(-2);

    EXPECT_FALSE(Zmen_rozliseni());
    Obnov_rozliseni();

    ASSERT_EQ(box.AskedBoxes().size(), 2);
    EXPECT_EQ(box.AskedBoxes()[0].text, Texty[40]);
    EXPECT_EQ(box.AskedBoxes()[0].title, Texty[41]);
    EXPECT_EQ(box.AskedBoxes()[0].style, MessageStyle::OkOnly);
    EXPECT_EQ(box.AskedBoxes()[1].text, Texty[43]);
    EXPECT_EQ(box.AskedBoxes()[1].title, Texty[44]);
    // The restore is asked for although the switch failed.
    EXPECT_EQ(displej.Changes().size(), 2);
}

TEST(Zvuky, HoverAndClickPlayTheirFilesFromTheResourceDirectory)
{
    FakeSound zvuk;
    ScopedService<Sound> g(zvuk);
    Cesta_CD = QStringLiteral("/cd/");
    Priprav_zvuky();
    Zahraj_enter();
    Zahraj_click();
    Zahraj_click();
    EXPECT_EQ(zvuk.Preloaded(), QStringList({"/cd/Sound/enter.wav", "/cd/Sound/click.wav"}));
    EXPECT_EQ(zvuk.Played(),
              QStringList({"/cd/Sound/enter.wav", "/cd/Sound/click.wav", "/cd/Sound/click.wav"}));
}

TEST(Cekani, WaitsEndPastTheirEndEvenWhereA32BitClockWouldWrap)
{
    struct Riadok {
        const char *nazov;
        bool s_udalostmi;
        qint64 start, ms;
        bool udalost_prebehla;
    } riadky[] = {
        {"busy wait handles no event", false, 1000, 10, false},
        {"busy wait of 0 still moves on", false, 1000, 0, false},
        {"wait with events lets a timer run", true, 1000, 100, true},
        {"across 2^31", true, (qint64(1) << 31) - 5, 15, true},
        {"across 2^32", false, (qint64(1) << 32) - 5, 15, false},
    };
    for (const Riadok &r : riadky) {
        FakeClock hodiny(r.start);
        ScopedService<Clock> g(hodiny);
        bool prebehla = false;
        QTimer::singleShot(0, [&] { prebehla = true; });

        r.s_udalostmi ? Cekej_s_udalostmi(r.ms) : Cekej(r.ms);

        EXPECT_EQ(hodiny.TickCount(), r.start + r.ms + 1) << r.nazov;
        EXPECT_EQ(prebehla, r.udalost_prebehla) << r.nazov;
        QCoreApplication::processEvents();
    }
}
