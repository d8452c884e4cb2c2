// Display mode for the run, and the waits every screen uses.
#include "services/Cekani.h"
#include "services/Tabulky.h"
#include "services/Zobrazeni.h"

#include "platform/Fixtures.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Misc;
using namespace platform;

TEST(Zmen_rozliseni, SwitchesForTheRunAndRestoresTheSavedModeEvenAfterARefusal)
{
    Texty[40] = "prepnutie", Texty[41] = "R", Texty[43] = "obnova", Texty[44] = "O";
    for (int kod : {DisplayChangeSuccessful, -2}) {
        // A display already at 640 x 480 x 16 is switched all the same.
        FakeDisplayMode displej({640, 480, 16, 75, 0});
        FakeMessageBox box;
        ScopedService<DisplayMode> g1(displej);
        ScopedService<MessageBox> g2(box);
        displej.FailWith(kod);

        EXPECT_EQ(Zmen_rozliseni(), kod == DisplayChangeSuccessful);
        Obnov_rozliseni();

        ASSERT_EQ(displej.Changes().size(), 2);
        const DisplayModeRecord &tam = displej.Changes()[0].mode, &spat = displej.Changes()[1].mode;
        EXPECT_EQ(QList<int>({tam.width, tam.height, tam.bitsPerPixel}), QList<int>({640, 480, 16}));
        EXPECT_EQ(spat.frequency, 75) << "the saved mode, refresh rate included";
        QStringList spravy;
        for (const auto &b : box.AskedBoxes())
            spravy << b.text + "|" + b.title;
        EXPECT_EQ(spravy, kod ? QStringList({"prepnutie|R", "obnova|O"}) : QStringList());
    }
}

TEST(Cekani, WaitsEndPastTheirEndEvenWhereA32BitClockWouldWrap)
{
    struct Riadok {
        const char *nazov;
        bool s_udalostmi;
        qint64 start, ms;
    } riadky[] = {
        {"busy wait of 0 still moves on", false, 1000, 0},
        {"wait with events across 2^31", true, (qint64(1) << 31) - 5, 15},
        {"busy wait across 2^32", false, (qint64(1) << 32) - 5, 15},
    };
    for (const Riadok &r : riadky) {
        FakeClock hodiny(r.start);
        ScopedService<Clock> g(hodiny);
        bool prebehla = false;
        QTimer::singleShot(0, [&] { prebehla = true; });
        r.s_udalostmi ? Cekej_s_udalostmi(r.ms) : Cekej(r.ms);
        EXPECT_EQ(hodiny.TickCount(), r.start + r.ms + 1) << r.nazov;
        EXPECT_EQ(prebehla, r.s_udalostmi) << r.nazov << ": events handled only when asked";
        QCoreApplication::processEvents();
    }
}
