// Keys on a real X server (Xvfb of the test's own, with openbox and
// without): what the pupil types after the print dialog, or after a
// message box that came while the screen changed, goes into the name, as
// when the screen came up. Each case is a child process of this test
// program on a server of its own; the parent starts both (Realne_x.h).
#include "Realne_x.h"

#include <QDialogButtonBox>
#include <QPushButton>

using namespace lktest;

// Tlač, then Zrušiť or a print: what the pupil types next goes into the
// name, as when the screen came up.
TEST(RealXChild, TypingAfterThePrintDialogGoesIntoTheName)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr);
    for (const bool vytlac : {false, true}) {
        SCOPED_TRACE(vytlac ? "printed" : "cancelled");
        // The dialogs answered as a teacher would: Zrušiť clicked, or Enter.
        int dialogov = 0;
        QTimer odpoved;
        QObject::connect(&odpoved, &QTimer::timeout, [&] {
            QWidget *d = QApplication::activeModalWidget();
            if (!d || !d->windowHandle() || !d->windowHandle()->isExposed() || QGuiApplication::focusWindow() != d->windowHandle())
                return;
            ++dialogov;
            auto *tlacitka = d->objectName() == "printDialog" ? d->findChild<QDialogButtonBox *>() : nullptr;
            if (tlacitka && !vytlac) {
                QPushButton *zrusit = tlacitka->button(QDialogButtonBox::Cancel);
                EXPECT_EQ(zrusit->text(), "Zrušiť");
                Klikni_na_obrazovke(n.Na_obrazovke(zrusit, zrusit->rect().center()));
            } else {
                Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            }
            QTest::qWait(100);
        });
        odpoved.start(50);
        const QString pred = s->TJmeno->Text;
        n.Klik(s->picTiskni);
        n.Cakaj([&] { return dialogov > 0 && !QApplication::activeModalWidget(); });
        odpoved.stop();
        EXPECT_GE(dialogov, 1);
        EXPECT_TRUE(n.Cakaj([&] { return n.Klavesy_do_okna(); }));
        Napis_na_obrazovke(QStringLiteral("xy"));
        n.Cakaj([&] { return QString(s->TJmeno->Text) == pred + QStringLiteral("xy"); });
        EXPECT_EQ(QString(s->TJmeno->Text), pred + "xy");
        EXPECT_EQ(QApplication::focusWidget(), s->TJmeno->editor());
        EXPECT_EQ(n.Neprekreslene().toStdString(), "") << "where the dialog was";
    }
}

// A damaged task data file: "Pokračuj" brings its "Chyba" box, and after
// OK the pupil, back on the setup screen, types on into the name; also
// after "Nie" to the exit question asked over that box (a window manager's
// close while it is open).
TEST(RealXChild, AfterAMessageWhileTheScreenChangesTheKeysGoIntoTheName)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    const QByteArray hra = Obsah(n.p.hd() + "Hra.dat");
    ASSERT_TRUE(Zapis_subor(n.p.hd() + "Hra.dat", hra.left(hra.size() / 2))); // cut short
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr);
    for (const bool zatvor : {false, true}) {
        if (zatvor && !qEnvironmentVariableIsSet("LK_SO_SPRAVCOM"))
            break; // the close is the window manager's
        SCOPED_TRACE(zatvor ? "the exit question over the box" : "the box alone");
        Ziak_pri_spravach ziak(
            n, [](QMessageBox *m) { return m->text().startsWith("Naozaj") ? QMessageBox::No : QMessageBox::Ok; },
            [&](QMessageBox *m) {
                if (zatvor && m->windowTitle() == "Chyba")
                    n.x.Zatvor(unsigned(n.Okno()->winId())), QTest::qWait(300);
            });
        n.Klik(s->picPokracuj);
        const int sprav = zatvor ? 2 : 1;
        EXPECT_TRUE(n.Cakaj([&] { return ziak.spravy.size() == sprav && !QApplication::activeModalWidget(); }))
            << ziak.spravy.join('\n').toStdString();
        ASSERT_EQ(Vpredu(), s);
        EXPECT_TRUE(n.Cakaj([&] { return n.Klavesy_do_okna(); }));
        const QString pred = s->TJmeno->Text;
        Napis_na_obrazovke(QStringLiteral("xy"));
        n.Cakaj([&] { return QString(s->TJmeno->Text) == pred + QStringLiteral("xy"); });
        EXPECT_EQ(QString(s->TJmeno->Text), pred + "xy") << "what was typed after the box";
    }
}

TEST(RealX, AfterAMessageWhileTheScreenChangesTheKeysGoWhereTheScreenPutsThem)
{
    LK_VYZADUJ_X(true);
    for (const bool openbox : {false, true}) {
        SCOPED_TRACE(openbox ? "openbox" : "no window manager");
        Na_vlastnom_x("AfterAMessageWhileTheScreenChangesTheKeysGoIntoTheName", {1366, 768}, openbox);
    }
}

TEST(RealX, TypingAfterThePrintDialogWithAndWithoutAWindowManager)
{
    LK_VYZADUJ_X(true);
    for (const bool openbox : {false, true}) {
        SCOPED_TRACE(openbox ? "openbox" : "no window manager");
        Na_vlastnom_x("TypingAfterThePrintDialogGoesIntoTheName", {1366, 768}, openbox);
    }
}
