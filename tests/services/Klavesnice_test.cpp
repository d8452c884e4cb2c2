// The keyboard guard on rings of installed layouts.
#include "services/Klavesnice.h"

#include "platform/Fixtures.h"
#include "platform/Services.h"

#include <gtest/gtest.h>

using namespace Misc;
using platform::FakeKeyboardLayout;

namespace {
const QString Us = platform::UsKeyboardLayout, Sk = QStringLiteral("0000041B"),
              Cz = QStringLiteral("00000405");
} // namespace

TEST(Prepni_na_anglickou_klavesnici, ReachesUsByGoingRoundTheRing)
{
    struct Riadok {
        const char *nazov;
        QStringList ring;
        bool nacitanie_zlyha;
        int aktivacie;
        QString nakoniec;
    } riadky[] = {
        {"US active beside Slovak: round once", {Us, Sk}, false, 2, Us},
        {"no US: 100 tries, load, go round to it", {Sk, Cz}, false, 100 + 3, Us},
        {"no US and the load fails: stop", {Sk, Cz}, true, 100, Sk},
    };
    for (const Riadok &r : riadky) {
        FakeKeyboardLayout klavesnica(r.ring);
        klavesnica.FailLoading(r.nacitanie_zlyha);
        platform::ScopedService<platform::KeyboardLayout> guard(klavesnica);
        Prepni_na_anglickou_klavesnici();
        EXPECT_EQ(klavesnica.Activations(), r.aktivacie) << r.nazov;
        EXPECT_EQ(klavesnica.ActiveLayoutName(), r.nakoniec) << r.nazov;
    }
}

TEST(Obnov_klavesnici, BringsBackTheSavedLayout)
{
    struct Riadok {
        const char *nazov;
        int krokov_pred; // activations while typing, after the save
        bool odober_ulozene;
        int aktivacie;
        QString nakoniec;
    } riadky[] = {
        {"saved one active: round once", 0, false, 3, Sk},
        {"one step away", 2, false, 1, Sk},
        {"saved layout removed meanwhile: bounded", 1, true, 100, Cz},
    };
    for (const Riadok &r : riadky) {
        FakeKeyboardLayout klavesnica({Sk, Us, Cz});
        platform::ScopedService<platform::KeyboardLayout> guard(klavesnica);
        Uloz_klavesnici();
        for (int i = 0; i < r.krokov_pred; ++i)
            klavesnica.ActivatePrevious();
        if (r.odober_ulozene)
            klavesnica.Remove(Sk);
        const int pred = klavesnica.Activations();
        Obnov_klavesnici();
        EXPECT_EQ(klavesnica.Activations() - pred, r.aktivacie) << r.nazov;
        EXPECT_EQ(klavesnica.ActiveLayoutName(), r.nakoniec) << r.nazov;
    }
}
