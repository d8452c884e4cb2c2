#include "support/Fixtures.h"
#include "platform/ControlArray.h"
#include "platform/Controls.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

struct SheetForm : Form {
    ControlArray<Label> TZ1{this};
    ControlArray<TextBox> TV1{this};
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
    f.TV1(1)->Text = "x+1";
    f.TV1(1)->Locked = true;
    f.TV1(1)->Alignment = vbCenter;
    f.TV1(1)->FontSize = 12;
    f.TV1(1)->FontBold = true;
    f.TV1(1)->BackColor = QColor(255, 236, 182);
    f.TV1(1)->ForeColor = QColor(0, 0, 255);
    Label *second = f.TZ1.Load(2);
    TextBox *cell = f.TV1.Load(2);
    cell->Enabled = false;
    // The look as the editor inside shows it, disabled or not.
    auto *editor = qobject_cast<QLineEdit *>(cell->editor());
    ASSERT_NE(editor, nullptr);
    const QPalette shown = editor->palette();

    struct Row { const char *name; QVariant got, want; };
    const Row rows[] = {
        {"caption", second->Caption(), QString("Label1")},
        {"geometry", second->Width(), 220},
        {"alignment", second->Alignment(), int(vbCenter)},
        {"font name", second->FontName(), QString("Ruvo")},
        {"font size reads back in whole pixels", second->FontSize(), 9.75},
        {"back colour", second->BackColor(), QColor(255, 236, 182)},
        {"tag", second->Tag(), QString("label")},
        {"mouse pointer", second->MousePointer(), int(vbCustom)},
        {"starts hidden", second->Visible(), false},
        {"text box text", cell->Text(), QString("x+1")},
        {"text box lock", cell->Locked(), true},
        {"text box alignment", cell->Alignment(), int(vbCenter)},
        {"shown font size", editor->font().pixelSize(), 16},
        {"shown bold", editor->font().bold(), true},
        {"shown back colour", shown.color(QPalette::Disabled, QPalette::Base), QColor(255, 236, 182)},
        {"shown text colour", shown.color(QPalette::Disabled, QPalette::Text), QColor(0, 0, 255)},
        {"no frame of the editor's own", editor->hasFrame(), false},
        {"no text margins", editor->textMargins() == QMargins(), true},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.got, r.want) << r.name;
    EXPECT_TRUE(first->Visible()) << "element 1 keeps its visibility";
}

TEST(ControlArray, ElementsAreAddressedStrictlyAndGoWithTheForm)
{
    SheetForm f;
    f.TV1.Load(2);
    EXPECT_THROW(f.TV1.Load(2), ControlArrayError) << "loading an existing element";
    EXPECT_THROW(f.TV1(3), ControlArrayError) << "a missing element";
    EXPECT_THROW(f.TV1.Unload(1), ControlArrayError) << "element 1 is the design's";
    f.TV1.Load(5);
    f.TV1.Unload(5);
    EXPECT_EQ(f.TV1.UBound(), 2);

    ControlArray<Image> keys{&f, 0};
    keys(0)->Move(6, 267, 64, 28);
    EXPECT_EQ(keys.Load(1)->Left(), 6) << "an array from 0 clones element 0";
    EXPECT_THROW(keys.Unload(0), ControlArrayError) << "element 0 is the design's";

    QPointer<TextBox> loaded = f.TV1(2);
    f.Load();
    f.Unload();
    EXPECT_TRUE(loaded->isHidden()) << "run-time elements are unloaded with the form";
    EXPECT_EQ(std::count(f.Controls().begin(), f.Controls().end(), loaded.data()), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(loaded.isNull()) << "and deleted once the event loop runs";
    EXPECT_TRUE(f.TV1.exists(1));
    EXPECT_FALSE(f.TV1.exists(2));
}

// A click that unloads the element it lands on, or its whole form: the
// element lives on, deaf, until its own event is over.
TEST(ControlArray, AnElementUnloadedInItsOwnEventOutlivesTheEvent)
{
    struct Row {
        const char *name;
        std::function<void(SheetForm &)> unload;
    } rows[] = {
        {"the element", [](SheetForm &f) { f.TZ1.Unload(2); }},
        {"its form", [](SheetForm &f) { f.Unload(); }},
    };
    for (const Row &r : rows) {
        SheetForm f;
        f.Show();
        QPointer<Label> element = f.TZ1.Load(2);
        element->Visible = true;
        int clicks = 0;
        bool alive_in_event = false;
        f.TZ1.MouseDown = [&](int, int, int, int, int) { r.unload(f), alive_in_event = !element.isNull(); };
        f.TZ1.Click = [&](int) { ++clicks; };
        QTest::mouseClick(element, Qt::LeftButton);
        EXPECT_TRUE(alive_in_event) << r.name;
        EXPECT_EQ(clicks, 0) << r.name << ": the release finds it unloaded";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(element.isNull()) << r.name;
    }
}

} // namespace
