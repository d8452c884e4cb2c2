#pragma once
// The exercise screen with its side tools built as the load builds them,
// shown on the stage with a fake clock, sound and keyboard, and driven by
// mouse events as a pupil would.
#include "exercise/frm_Game01.h"
#include "platform/Fonts.h"
#include "platform/Services.h"
#include "services/Konfigurace.h"
#include "services/Promenne_cviceni.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace panely_test {

class Obrazovka : public ::testing::Test {
protected:
    platform::FakeClock hodiny;
    platform::FakeSound zvuk;
    // The pupil's own layout is active; typing must switch to the US one.
    platform::FakeKeyboardLayout klavesnice{{QStringLiteral("0000041B"), platform::UsKeyboardLayout}};
    platform::ScopedService<platform::Clock> s1{hodiny};
    platform::ScopedService<platform::Sound> s2{zvuk};
    platform::ScopedService<platform::KeyboardLayout> s3{klavesnice};
    std::unique_ptr<frm_Game01> f;

    void SetUp() override
    {
        const QString zdroje = QStringLiteral(LK_RESOURCE_DIR "/");
        Misc::Cesta_CD = zdroje;
        platform::registerFontFile(zdroje + QStringLiteral("Data/Ruvo.ttf"));
        Misc::Kurzor_sipka = platform::LoadPicture(zdroje + QStringLiteral("Cur/Arrow.cur"));
        Misc::Kurzor_ruka = platform::LoadPicture(zdroje + QStringLiteral("Cur/Hand.cur"));
        Misc::Kurzor_napoveda = platform::LoadPicture(zdroje + QStringLiteral("Cur/Help.cur"));
    }
    void TearDown() override
    {
        if (f)
            f->Hide();
    }

    // The screen without its load, which would build everything again from
    // the module's choices; each test builds what it looks at itself.
    struct Bez_nacitania : frm_Game01 {
        void Form_Load() override {}
    };

    // The task's sheet, panels and bar, on the task's background, in front.
    frm_Game01 &Nacti(const char *uloha, int varianta, const char *pozadi, const QString &lista)
    {
        f = std::make_unique<Bez_nacitania>();
        f->Zvolena_uloha = {QString::fromLatin1(uloha), varianta};
        f->AutoRedraw = true;
        f->Picture = platform::LoadPicture(Misc::Cesta_CD + QStringLiteral("Bitmap/Games/bg_%1.bmp").arg(pozadi));
        f->Nacti_tlacitka_menu();
        f->Vygeneruj_komponenty_ulohy();
        if (f->Ma_kalkulacku())
            f->Vytvor_kalkulacku();
        else
            f->Skryj_kalkulacku();
        f->Vytvor_poznamky();
        if (lista.isEmpty())
            f->Skryj_listu_exponentu();
        else
            f->Vytvor_listu_exponentu(lista);
        f->TKalk->FontName = QStringLiteral("Ruvo");
        f->TKalkPoznamky->FontName = QStringLiteral("Ruvo");
        f->TKalkPoznamky->FontBold = true;
        f->Show();
        QWidget *stage = platform::Stage::instance();
        stage->activateWindow();
        QApplication::setActiveWindow(stage);
        (void)QTest::qWaitForWindowExposed(stage);
        if (f->Ma_kalkulacku())
            f->Vykresli_zalozku_kalkulacky_00();
        f->Vykresli_zalozku_poznamek_00();
        Misc::Zvyrazneny_prvek = 0;
        return *f;
    }

    static void Klik(QWidget *w, int x, int y) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(x, y)); }
    static void Pohyb(QWidget *w, int x, int y)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    int Zvuky(const char *subor) const { return int(zvuk.Played().filter(QLatin1String(subor)).size()); }
    static QWidget *Fokus() { return QApplication::focusWidget(); }
};

// Counts the paintings of a widget: a slide must paint every frame.
struct Kresleni : QObject {
    int pocet = 0;
    explicit Kresleni(QWidget *w) { w->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        pocet += e->type() == QEvent::Paint;
        return false;
    }
};

} // namespace panely_test
