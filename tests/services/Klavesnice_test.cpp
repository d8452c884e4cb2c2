// The keyboard guard on rings of installed layouts.
#include "services/Klavesnice.h"

#include "platform/Services.h"

#include "platform/Fixtures.h"

#include <gtest/gtest.h>

using namespace Misc;
using platform::FakeKeyboardLayout;
using platform::UsKeyboardLayout;

namespace {
const QString Sk = QStringLiteral("0000041B");
const QString Cz = QStringLiteral("00000405");
} // namespace

TEST(Prepni_na_anglickou_klavesnici, ReachesUsByGoingRoundTheRing)
{
    struct Riadok {
        const char *nazov;
        QStringList nainstalovane;
        bool nacitanie_zlyha;
        int aktivacie;
        QStringList nacitane;
        QString nakoniec;
    } riadky[] = {
        {"US alone: one activation", {UsKeyboardLayout}, false, 1, {}, UsKeyboardLayout},
        {"US active beside Slovak: round once", {UsKeyboardLayout, Sk}, false, 2, {}, UsKeyboardLayout},
        {"Slovak active, US next back", {Sk, UsKeyboardLayout}, false, 1, {}, UsKeyboardLayout},
        {"no US: 100 tries, load, go round to it", {Sk, Cz}, false, 100 + 3, {UsKeyboardLayout}, UsKeyboardLayout},
        {"no US and the load fails: stop", {Sk, Cz}, true, 100, {UsKeyboardLayout}, Sk},
        {"no layout at all: bounded", {}, true, 100, {UsKeyboardLayout}, QString()},
    };
    for (const Riadok &r : riadky) {
        FakeKeyboardLayout klavesnica(r.nainstalovane);
        klavesnica.FailLoading(r.nacitanie_zlyha);
        platform::ScopedService<platform::KeyboardLayout> guard(klavesnica);

        Prepni_na_anglickou_klavesnici();

        EXPECT_EQ(klavesnica.Activations(), r.aktivacie) << r.nazov;
        EXPECT_EQ(klavesnica.Loaded(), r.nacitane) << r.nazov;
        EXPECT_EQ(klavesnica.ActiveLayoutName(), r.nakoniec) << r.nazov;
        EXPECT_EQ(Aktualni_klavesnice, r.nakoniec) << r.nazov;
    }
}

TEST(Obnov_klavesnici, BringsBackTheSavedLayout)
{
    struct Riadok {
        const char *nazov;
        QStringList nainstalovane;
        int posun_pred; // activations while typing, after the save
        bool odober_ulozene;
        int aktivacie;
        QString nakoniec;
    } riadky[] = {
        {"saved one active, two layouts: round once", {Sk, UsKeyboardLayout}, 0, false, 2, Sk},
        {"after switching to US", {Sk, UsKeyboardLayout}, 1, false, 1, Sk},
        {"three layouts, one step away", {Sk, UsKeyboardLayout, Cz}, 2, false, 1, Sk},
        {"saved layout removed meanwhile: bounded", {Sk, UsKeyboardLayout}, 1, true, 100, UsKeyboardLayout},
    };
    for (const Riadok &r : riadky) {
        FakeKeyboardLayout klavesnica(r.nainstalovane);
        platform::ScopedService<platform::KeyboardLayout> guard(klavesnica);
        Uloz_klavesnici();
        EXPECT_EQ(Puvodni_klavesnice, r.nainstalovane.first()) << r.nazov;
        for (int i = 0; i < r.posun_pred; ++i)
            klavesnica.ActivatePrevious();
        if (r.odober_ulozene)
            klavesnica.Remove(r.nainstalovane.first());
        const int pred = klavesnica.Activations();

        Obnov_klavesnici();

        EXPECT_EQ(klavesnica.Activations() - pred, r.aktivacie) << r.nazov;
        EXPECT_EQ(klavesnica.ActiveLayoutName(), r.nakoniec) << r.nazov;
    }
}
