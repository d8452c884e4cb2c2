// The rescaling of every control of a form as its load makes it.
#include "services/Formular.h"

#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Fonts.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Prizpusob_ovladace, ScalesEveryControlByTheScreensTwipsPerPixel)
{
    // A form as the screens design them: labels, images, a text box, an
    // array with a loaded element, and a timer, which has no size or font.
    class Navrh : public Form {
    public:
        Label *TZ = new Label(this);
        Image *IHod = new Image(this);
        TextBox *TV = new TextBox(this);
        ControlArray<Label> TR{this};
        Timer *Casovac = new Timer(this);
        Navrh()
        {
            TZ->Move(30, 60, 150, 45);
            TV->FontSize = 8;
            TR.Load(2)->Move(15, 45, 45, 15);
        }
    };
    struct Riadok {
        const char *nazov;
        int twipy;
        QRect tz, tr2;
        double pismo;
    } riadky[] = {
        {"designed screen: sizes stay", 15, {30, 60, 150, 45}, {15, 45, 45, 15}, 12},
        {"12 twips per pixel: 0.8 times", 12, {24, 48, 120, 36}, {12, 36, 36, 12}, 9.6},
    };
    for (const Riadok &r : riadky) {
        Navrh formular;
        Misc::Prizpusob_ovladace(formular, r.twipy);
        EXPECT_EQ(formular.TZ->widget()->geometry(), r.tz) << r.nazov;
        EXPECT_EQ(formular.TR(2)->widget()->geometry(), r.tr2) << r.nazov;
        for (Control *c : formular.Controls()) {
            EXPECT_FALSE(c->TabStop()) << r.nazov;
            EXPECT_DOUBLE_EQ(c->FontSize(), pixelsToPoints(pointsToPixels(r.pismo))) << r.nazov;
        }
    }
}
