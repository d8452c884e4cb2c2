#pragma once
// A whole installation for the shell screens: "Loravik.ini" in a temporary
// configuration directory naming the generated resources and a fresh copy
// of the default data, with every OS service faked. Helpers drive the
// screens as a pupil would.
#include "platform/Controls.h"
#include "platform/DisplayMode.h"
#include "platform/MessageBox.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"
#include "shell/Formulare.h"
#include "shell/frm_Intro.h"
#include "shell/frm_Pozadi.h"
#include "shell/frm_Select.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"
#include "support/Datove_subory.h"
#include "support/Docasny_config.h"
#include "support/Fixtures.h"
#include "support/Nahradne_sluzby.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace lktest {

// A figure of this process's memory from /proc (VmRSS now, VmHWM its
// peak), in KiB; 0 where there is none.
inline qint64 Pamat_kb(const char *pole = "VmRSS:")
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &riadok : f.readAll().split('\n'))
        if (riadok.startsWith(pole))
            return riadok.mid(qsizetype(std::strlen(pole))).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

class Program : public Docasny_config, public Nahradne_sluzby {
public:
    // `koren`: the installation of an earlier run, started again.
    explicit Program(const QString &koren = {}) : Docasny_config(koren)
    {
        QDir().mkpath(hd());
        Zapis_subor(config() + "/Loravik.ini",
                    QStringLiteral("[KVR4]\r\nCD=%1\r\nHD=%2\r\n").arg(LK_RESOURCE_DIR, hd()).toUtf8());
        const QDir vzor(QStringLiteral(LK_DEFAULT_DATA_DIR));
        for (const QString &subor : vzor.entryList(QDir::Files))
            QFile::copy(vzor.filePath(subor), hd() + subor);
        Shell::Zacni_znovu();
    }
    ~Program()
    {
        for (platform::Form *f : Formy())
            f->Unload();
        Formulare::frm_Game01 = nullptr;
        Shell::Zacni_znovu();
    }

    static std::vector<platform::Form *> Formy()
    {
        std::vector<platform::Form *> formy{Formulare::frm_Intro.existing(), Formulare::frm_Setup.existing(),
                                            Formulare::frm_Tabulka.existing(), Formulare::frm_Select.existing(),
                                            Formulare::frm_Pozadi.existing()};
        std::erase(formy, nullptr);
        return formy;
    }

    // The data directory, with its closing separator.
    QString hd() const { return koren() + "/hd/"; }

    // Runs the chooser's load, as the program's start does.
    void Spusti() { Formulare::frm_Select->Load(); }
    // The title screen's timer fires; its wait ends at the deadline or at once after a click.
    void Tik_titulku() { Formulare::frm_Intro->Timer1->OnTimer(); }
    void Prejdi_titulok()
    {
        Spusti();
        Tik_titulku();
    }

};

// The program as a pupil meets it: the real display mode, so the stage
// fills the screen, and real message boxes.
struct Program_na_celej_obrazovke {
    explicit Program_na_celej_obrazovke(const QString &koren = {}) : p(koren) {}
    Program p;
    platform::ScreenDisplayMode obrazovka;
    platform::QtMessageBox okno_spravy;
    platform::ScopedService<platform::DisplayMode> g1{obrazovka};
    platform::ScopedService<platform::MessageBox> g2{okno_spravy};
    platform::Stage *stage = platform::Stage::instance();
};

// The page the pupil sees.
inline platform::Form *Vpredu() { return platform::Stage::instance()->frontPage(); }

inline void Klik(platform::Control *c, QPoint kde = {-1, -1})
{
    QWidget *w = c->widget();
    QTest::mouseClick(w, Qt::LeftButton, {}, kde.x() < 0 ? w->rect().center() : kde);
}

inline void Klik(platform::Form *f, QPoint kde = {300, 470})
{
    QTest::mouseClick(f, Qt::LeftButton, {}, kde);
}

// A press that reaches the control only when events are next handled.
inline void Stlac_neskor(platform::Control *c)
{
    QWidget *w = c->widget();
    const QPoint p = w->rect().center();
    QApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton,
                                               Qt::LeftButton, {}));
}

inline void Pohyb(QWidget *w, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(w, &e);
}

// Types text into a text box key by key, Slovak letters included.
inline void Napis(platform::TextBox *t, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, t->editor(), Qt::Key_unknown, QString(ch), {});
}

inline bool Rovnaky_obrazok(const platform::Picture &a, const QString &cesta_v_cd)
{
    const platform::Picture b = platform::LoadPicture(QStringLiteral(LK_RESOURCE_DIR "/") + cesta_v_cd);
    return !b.isNull() && a.image().convertToFormat(QImage::Format_ARGB32) == b.image().convertToFormat(QImage::Format_ARGB32);
}

// The stage as the pupil sees it, under build/screens/shell/ for a person to look at.
inline void Odfot(const QString &meno)
{
    QApplication::processEvents();
    QDir().mkpath(LK_BUILD_DIR "/screens/shell/");
    EXPECT_TRUE(platform::Stage::instance()->grab().save(LK_BUILD_DIR "/screens/shell/" + meno + ".png")) << meno.toStdString();
}

} // namespace lktest
