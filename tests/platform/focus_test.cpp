#include "Fixtures.h"
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct CellsForm : Form {
    ControlArray<TextBox> TV1{this};
    CellsForm()
    {
        for (int i = 2; i <= 4; ++i)
            TV1.Load(i);
        for (int i = 1; i <= 4; ++i) {
            TV1(i)->Move(10, 30 * i, 100, 20);
            TV1(i)->Visible = true;
        }
    }
    bool focused(int i) const { return TV1(i)->editor()->hasFocus(); }
};

TEST(TabOrder, FollowsTabIndexAndSkipsWhatCannotTakeTheFocus)
{
    struct Row { const char *name; std::vector<int> tabIndex /* of TV1(1..4) */; int hidden, noStop, from, to; };
    const Row rows[] = {
        {"by TabIndex, not creation order", {1, 3, 2, 4}, 0, 0, 1, 3},
        {"wraps round to the lowest", {1, 2, 3, 4}, 0, 0, 4, 1},
        {"skips a hidden cell", {1, 2, 3, 4}, 2, 0, 1, 3},
        {"skips a cell without TabStop", {1, 2, 3, 4}, 0, 3, 2, 4},
        {"equal TabIndex keeps creation order", {1, 1, 1, 1}, 0, 0, 1, 2},
    };
    for (const Row &r : rows) {
        CellsForm f;
        for (int i = 1; i <= 4; ++i)
            f.TV1(i)->TabIndex = r.tabIndex[size_t(i - 1)];
        if (r.hidden)
            f.TV1(r.hidden)->Visible = false;
        if (r.noStop)
            f.TV1(r.noStop)->TabStop = false;
        lktest::showAndActivate(&f);
        f.TV1(r.from)->SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(f.focused(r.to)) << r.name;
    }
}

TEST(TabOrder, EnterSentAsTabMovesToTheNextCellAndTypingFollows)
{
    CellsForm f;
    f.TV1(2)->Text = "ab";
    int tabsSeen = 0;
    std::vector<int> gotFocus;
    f.TV1.GotFocus = [&](int Index) { gotFocus.push_back(Index); };
    f.TV1.KeyDown = [&](int, KeyArgs &k) {
        if (k.KeyCode == 9)
            ++tabsSeen;
        if (k.KeyCode == 13)
            SendKeys("{TAB}");
    };
    lktest::showAndActivate(&f);
    f.TV1(1)->SetFocus();
    QTest::keyClicks(f.TV1(1)->editor(), "12");
    f.TV1(1)->SelStart = 1;
    f.TV1(1)->SelLength = 1;
    QTest::keyClick(f.TV1(1)->editor(), Qt::Key_Return);
    ASSERT_TRUE(f.focused(2));
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(f.TV1(1)->SelText(), "2") << "the cell left keeps its selection";
    EXPECT_EQ(f.TV1(2)->Text(), "7ab") << "the cell reached keeps its text, caret at the start";
    EXPECT_EQ(gotFocus, (std::vector<int>{1, 2}));
    EXPECT_EQ(tabsSeen, 0) << "Tab moves the focus and is no key of the cell";
    EXPECT_FALSE(SendKeys("{ENTER}")) << "only {TAB} is understood";
}

} // namespace
