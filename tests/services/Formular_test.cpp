// The common set-up of every form: window, caption and icon, and the
// rescaling of all its controls.
#include "services/Formular.h"

#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Fixtures.h"
#include "platform/Fonts.h"
#include "services/Konfigurace.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Misc;
using namespace platform;

namespace {

// A form as the screens design them: labels, images, a text box, a picture
// box, an array with a loaded element, and a timer.
class Navrh : public Form {
public:
    Label *TZ = new Label(this);
    Image *IHod = new Image(this);
    TextBox *TV = new TextBox(this);
    PictureBox *Pic = new PictureBox(this);
    ControlArray<Label> TR{this};
    Timer *Casovac = new Timer(this);

    Navrh()
    {
        TZ->Move(30, 60, 150, 45);
        IHod->Move(300, 15, 60, 30);
        TV->Move(90, 120, 75, 30);
        Pic->Move(0, 0, 600, 450);
        TR(1)->Move(15, 15, 45, 15);
        TR.Load(2)->Move(15, 45, 45, 15);
        TV->FontSize = 8;
    }
};

struct Rozmer {
    int left, top, width, height;
    bool operator==(const Rozmer &) const = default;
};

Rozmer Rozmer_ovladaca(Control *c) { return {c->Left, c->Top, c->Width, c->Height}; }

} // namespace

TEST(Prizpusob_ovladace, ScalesEveryControlByTheScreensTwipsPerPixel)
{
    struct Riadok {
        const char *nazov;
        int twipy;
        Rozmer tz, tr2;
        double pismo;
    } riadky[] = {
        {"designed screen: sizes stay", 15, {30, 60, 150, 45}, {15, 45, 45, 15}, 12},
        {"12 twips per pixel: 0.8 times", 12, {24, 48, 120, 36}, {12, 36, 36, 12}, 9.6},
    };
    for (const Riadok &r : riadky) {
        Navrh formular;
        Prizpusob_ovladace(formular, r.twipy);
        EXPECT_EQ(Rozmer_ovladaca(formular.TZ), r.tz) << r.nazov;
        EXPECT_EQ(Rozmer_ovladaca(formular.TR(2)), r.tr2) << r.nazov;
        for (Control *c : formular.Controls()) {
            EXPECT_FALSE(c->TabStop()) << r.nazov;
            EXPECT_DOUBLE_EQ(c->FontSize(), pixelsToPoints(pointsToPixels(r.pismo))) << r.nazov;
        }
    }
}

TEST(Prizpusob_ovladace, RunsAtTheRuntimesOwnScale)
{
    Navrh formular;
    Prizpusob_ovladace(formular);
    EXPECT_EQ(Rozmer_ovladaca(formular.TV), (Rozmer{90, 120, 75, 30}));
    EXPECT_DOUBLE_EQ(formular.TV->FontSize(), 12);
}

TEST(Nastav_formular, GivesCaptionIconAndSizeInPixels)
{
    QTemporaryDir adresar;
    QDir().mkpath(adresar.filePath("Bitmap"));
    ASSERT_TRUE(lktest::solid(16, 16, Qt::blue).save(adresar.filePath("Bitmap/ico.ico"), "ICO"));
    Cesta_CD = adresar.path() + "/";

    for (QSize rozmer : {QSize(640, 480), QSize(230, 97)}) {
        Form formular;
        Nastav_formular(formular, rozmer.width(), rozmer.height());
        EXPECT_EQ(formular.size(), rozmer);
        EXPECT_EQ(formular.Caption(), QStringLiteral("Loravik Kvantira 2 - Algebra"));
        EXPECT_EQ(formular.Icon().Width(), 16);
    }
}
