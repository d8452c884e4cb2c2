#pragma once
// Installations in temporary directories for the start-up to find.
#include "platform/Services.h"
#include "services/Tabulky.h"
#include "support/Datove_subory.h"
#include "support/Docasny_config.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/Fixtures.h"

// Writes the file, making its directory first.
inline void Zapis(const QString &cesta, const QByteArray &bajty)
{
    QDir().mkpath(cesta.section(QLatin1Char('/'), 0, -2));
    ASSERT_TRUE(Zapis_subor(cesta, bajty)) << cesta.toStdString();
}

// Lines as the program's text files hold them: Windows-1250, CR LF.
inline QByteArray V_1250(const QStringList &riadky) { return Misc::Text_do_1250(riadky.join("\r\n") + "\r\n"); }

// A temporary configuration directory with the OS services a start-up asks
// (keyboard, message box, sound) replaced by fakes.
class Prostredie : public Docasny_config {
public:
    QString ini() const { return config() + "/Loravik.ini"; }
    void Zapis_ini(const QString &text) { Zapis(ini(), text.toUtf8()); }

    platform::FakeKeyboardLayout klavesnica{{QStringLiteral("0000041B"), platform::UsKeyboardLayout}};
    platform::FakeMessageBox box;
    platform::FakeSound zvuk;

private:
    platform::ScopedService<platform::KeyboardLayout> klavesnica_guard_{klavesnica};
    platform::ScopedService<platform::MessageBox> box_guard_{box};
    platform::ScopedService<platform::Sound> zvuk_guard_{zvuk};
};

// A complete installation: the INI names a resource directory holding the
// three files the start-up looks for and a data directory with the data files.
class Instalacia : public Prostredie {
public:
    Instalacia()
    {
        Zapis_ini(QStringLiteral("[KVR4]\nCD=%1\nHD=%2\n").arg(cd().chopped(1), hd().chopped(1)));
        for (const char *zdroj : {"Bitmap/Games/bg_01.bmp", "Bitmap/Tab/01.bmp", "Sound/click.wav"})
            Zapis(cd() + zdroj, "x");
        Zapis(hd() + "Vysledky.dat", "");
        Zapis(hd() + "Znamky.dat", V_1250({"0|49|5", "50|64|4", "65|79|3", "80|89|2", "90|100|1"}));
        EXPECT_TRUE(Zapis_prekodovany(hd() + "Texty.dat", Texty()));
    }

    // As many texts as the screens use.
    static QStringList Texty(int pocet = Misc::Pocet_potrebnych_textov)
    {
        QStringList texty{QStringLiteral("Koniec?"), QStringLiteral("Chcete skončiť?")};
        while (texty.size() < pocet)
            texty << QStringLiteral("Text %1").arg(texty.size() + 1);
        return texty;
    }
    // The two directories, with a closing separator; the INI names them without.
    QString cd() const { return koren() + "/cd/"; }
    QString hd() const { return koren() + "/hd/"; }
};
