#include "Fixtures.h"
#include "platform/ControlArray.h"
#include "platform/Controls.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct SheetForm : Form {
    ControlArray<Label> TZ1{this};
    ControlArray<TextBox> TV1{this};
    ControlArray<Image> IHod{this};
};

TEST(ControlArray, LoadedElementTakesElementOnesCurrentStateAndStartsHidden)
{
    SheetForm f;
    Label *first = f.TZ1(1);
    first->Move(55, 105, 220, 20);
    first->Caption = "Label1";
    first->Alignment = vbCenter;
    first->FontName = "Ruvo";
    first->FontSize = 10;
    first->BackColor = QColor(255, 236, 182);
    first->Tag = "label";
    first->MousePointer = vbCustom;
    Label *second = f.TZ1.Load(2);

    struct Row { const char *name; QVariant got, want; };
    const Row rows[] = {
        {"caption", second->Caption(), QString("Label1")},
        {"left", second->Left(), 55},
        {"width", second->Width(), 220},
        {"alignment", second->Alignment(), int(vbCenter)},
        {"font name", second->FontName(), QString("Ruvo")},
        {"font size reads back in whole pixels", second->FontSize(), 9.75},
        {"back colour", second->BackColor(), QColor(255, 236, 182)},
        {"tag", second->Tag(), QString("label")},
        {"mouse pointer", second->MousePointer(), int(vbCustom)},
        {"starts hidden", second->Visible(), false},
        {"index", second->Index(), 2},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.got, r.want) << r.name;
    EXPECT_TRUE(first->Visible()) << "element 1 keeps its visibility";
}

TEST(ControlArray, ElementsAreAddressedStrictly)
{
    SheetForm f;
    f.TV1.Load(2);
    EXPECT_THROW(f.TV1.Load(2), ControlArrayError) << "loading an existing element";
    EXPECT_THROW(f.TV1(3), ControlArrayError) << "a missing element";
    EXPECT_THROW(f.TV1.Unload(1), ControlArrayError) << "element 1 is the design's";
    f.TV1.Load(5);
    EXPECT_EQ(f.TV1.UBound(), 5);
    f.TV1.Unload(5);
    EXPECT_EQ(f.TV1.UBound(), 2);
    EXPECT_FALSE(f.TV1.exists(5));
}

TEST(ControlArray, ArrayStartingAtZeroClonesAndKeepsElementZero)
{
    Form f;
    ControlArray<Image> keys{&f, 0};
    keys(0)->Move(6, 267, 64, 28);
    Image *one = keys.Load(1);
    EXPECT_EQ(one->Left(), 6);
    EXPECT_EQ(one->Width(), 64);
    EXPECT_FALSE(one->Visible());
    EXPECT_EQ(keys.UBound(), 1);
    EXPECT_THROW(keys.Unload(0), ControlArrayError) << "element 0 is the design's";
    EXPECT_NO_THROW(keys.Unload(1));
}

TEST(ControlArray, TextBoxCloneKeepsTextLockAndAlignment)
{
    SheetForm f;
    f.TV1(1)->Text = "x+1";
    f.TV1(1)->Locked = true;
    f.TV1(1)->Alignment = vbCenter;
    TextBox *t = f.TV1.Load(2);
    EXPECT_EQ(t->Text(), "x+1");
    EXPECT_TRUE(t->Locked());
    EXPECT_EQ(t->Alignment(), int(vbCenter));
}

TEST(ControlArray, LoadedElementsGoWithTheForm)
{
    SheetForm f;
    f.Load();
    f.IHod.Load(2);
    f.IHod.Load(3);
    QPointer<Image> loaded = f.IHod(3);
    f.Unload();
    EXPECT_FALSE(f.isLoaded());
    EXPECT_TRUE(loaded.isNull()) << "run-time elements are unloaded at once";
    EXPECT_TRUE(f.IHod.exists(1));
    EXPECT_FALSE(f.IHod.exists(2));
}

TEST(ControlArray, HandlersOfTheArrayReceiveTheElementIndex)
{
    SheetForm f;
    lktest::showAndActivate(&f);
    f.IHod(1)->Move(10, 10, 32, 32);
    Image *third = f.IHod.Load(3);
    third->Move(100, 10, 32, 32);
    third->Visible = true;
    int index = 0, x = -1, y = -1, clicks = 0;
    f.IHod.MouseDown = [&](int Index, int, int, int X, int Y) { index = Index, x = X, y = Y; };
    f.IHod.Click = [&](int Index) { clicks += Index; };
    QTest::mouseClick(third, Qt::LeftButton, {}, QPoint(4, 6));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 6);
    EXPECT_EQ(clicks, 3);
    f.Hide();
}

struct Counted : Form {
    static inline int loads = 0;
    void Form_Load() override { ++loads; }
};

TEST(DefaultInstance, MadeOnFirstUseAndAfreshAfterUnload)
{
    DefaultInstance<Counted> frm;
    Counted::loads = 0;
    Counted *first = frm.get();
    frm->Load();
    frm->Load();
    EXPECT_EQ(Counted::loads, 1) << "Form_Load runs once per load";
    EXPECT_EQ(frm.get(), first);
    frm->Unload();
    EXPECT_EQ(frm.existing(), nullptr);
    QPointer<Counted> old(first);
    EXPECT_NE(frm.get(), first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull()) << "the unloaded form is deleted once replaced";
    frm->Load();
    EXPECT_EQ(Counted::loads, 2);
    frm->Unload();
}

} // namespace
