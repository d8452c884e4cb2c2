// The PDF file in the print dialog: a name typed, with its folders, "~",
// or one chosen in the file chooser; what is said of a name that cannot
// be written, and that nothing is made for it.
#include "Dialog_tlace.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include <pwd.h>
#include <string>
#include <unistd.h>

using namespace platform;
using namespace lktest;

namespace {

// Alt+D, with a printer chosen, chooses the PDF file and the keys typed
// next go to its name, as after a click in it; the name typed is where the
// sheet goes.
TEST_F(Dialog_tlace, AltDChoosesTheFileAndTheKeysTypedNextNameIt)
{
    adresar.zoznam = {{"Kabinet"}, "Kabinet", {}};
    const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Prvok<QRadioButton>(d, "toPrinter")->isChecked(); }));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Prvok<QRadioButton>(d, "toFile")->isChecked(); }));
        QTest::keyClicks(nullptr, QStringLiteral("Trieda")); // to whatever has the keys
        EXPECT_EQ(Prvok<QLineEdit>(d, "fileName")->text(), "Trieda");
        Tlac(d);
    });
    ASSERT_TRUE(volba.has_value());
    EXPECT_EQ(volba->deviceName, QString());
    EXPECT_EQ(volba->fileName, QDir(domov.path()).filePath("Trieda.pdf"));
}

// A name that names no file (a folder not there yet, its dot, the extension
// alone), a hidden one (starting with a dot) or one longer than the file
// system takes, or with a folder's name longer, however many folders are
// not there yet, is said so while the dialog stays, and nothing is made:
// no folder, no hidden file.
TEST_F(Dialog_tlace, ANameWithNoFileInItIsSaidAndNothingIsMade)
{
    const QString nie_je = QStringLiteral("%1 nie je názov súboru.\nNapíšte aj názov súboru.");
    const QString skryty =
        QStringLiteral("%1 by bol skrytý súbor, lebo jeho názov začína bodkou.\nNapíšte názov súboru bez bodky na "
                       "začiatku.");
    const QString dlhy = QStringLiteral("Názov súboru %1 je dlhší, než aký súborový systém dovoľuje.\nNapíšte kratší "
                                        "názov.");
    const QString dlhy_priecinok = QStringLiteral("Názov priečinka %1 je dlhší, než aký súborový systém "
                                                  "dovoľuje.\nNapíšte kratší názov.");
    // One byte past what the file system takes, ".pdf" typed or added.
    const std::string dlhy_nazov = std::string(252, 'x') + ".pdf", dlhe_ascii = "nova/" + dlhy_nazov,
                      dlhe_bez_pdf = std::string(253, 'x'), dlhe_slovenske = [] {
                          std::string s;
                          for (int i = 0; i < 126; ++i)
                              s += "č";
                          return s + ".pdf";
                      }();
    const std::string v_dvoch = "nova/pod/" + dlhy_nazov, v_troch = "nova/pod/dalsia/" + dlhe_bez_pdf,
                      dlhy_pod_novou = "nova/" + std::string(256, 'y'), dlhy_prvy = std::string(256, 'z'),
                      v_dlhom = dlhy_pod_novou + "/list", pod_dlhym = dlhy_prvy + "/pod/" + dlhy_nazov;
    const struct {
        const char *meno;
        const QString &sprava;
        const char *nazvane = nullptr; // what the message names, where not the name typed
    } mena[] = {{"nova/", nie_je},
                {"nova/.", nie_je},
                {"nova/..", nie_je},
                {".pdf", nie_je},
                {"nova/.PDF", nie_je},
                {".x", skryty},
                {"nova/.pdf.pdf", skryty},
                {"~/.x", skryty},
                {dlhe_ascii.c_str(), dlhy},
                {dlhe_bez_pdf.c_str(), dlhy},
                {dlhe_slovenske.c_str(), dlhy},
                {v_dvoch.c_str(), dlhy},
                {v_troch.c_str(), dlhy},
                {v_dlhom.c_str(), dlhy_priecinok, dlhy_pod_novou.c_str()},
                {pod_dlhym.c_str(), dlhy_priecinok, dlhy_prvy.c_str()}};
    for (const auto [meno, sprava, nazvane] : mena) {
        Vyber([&](QDialog &d) {
            Napis_nazov(d, meno);
            Tlac(d);
            EXPECT_TRUE(d.isVisible()) << meno << ": the dialog stays";
        });
        QString napisane = QString::fromUtf8(nazvane ? nazvane : meno).remove(QRegularExpression("^~/"));
        if (&sprava == &dlhy && !napisane.endsWith(".pdf"))
            napisane += ".pdf";
        const QString cesta = QDir::toNativeSeparators(QDir(domov.path()).filePath(napisane));
        const auto okna = box.AskedBoxes();
        ASSERT_FALSE(okna.isEmpty()) << meno << ": nothing said";
        EXPECT_EQ(okna.back().text, sprava.arg(cesta)) << meno;
        const QStringList urobene = QDir(domov.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        EXPECT_TRUE(urobene.isEmpty()) << meno << ": made " << urobene.join(", ").toStdString();
        // Each name from the same home.
        for (const QString &urobeny : urobene)
            QDir(QDir(domov.path()).filePath(urobeny)).removeRecursively();
    }
    EXPECT_EQ(box.AskedBoxes().size(), qsizetype(std::size(mena)));
}

// "~/" at the start of a name is the home folder and "~user/" that user's,
// as in the file chooser; "~" alone is the home folder itself, a user the
// system does not know is said, and elsewhere "~" is a name like any other.
// No folder named "~..." is made in the home folder. A name or a folder's
// name as long as the file system takes goes under folders not there yet.
TEST_F(Dialog_tlace, ANameStartingWithTildeSlashIsInTheHomeFolder)
{
    const passwd *ja = getpwuid(geteuid());
    ASSERT_NE(ja, nullptr);
    const QString u_mna = QDir(domov.path()).filePath("%1"), u_ma = QString::fromLocal8Bit(ja->pw_dir) + "/%1",
                  nikto = QStringLiteral("nikto-taky-nie-je");
    const QString najdlhsi = QString(251, 'x') + ".pdf", najdlhsi_priecinok = QString(255, 'y');
    const struct {
        QString meno, subor, sprava{}; // the file chosen, or what is said instead
    } mena[] = {
        {"~/list", u_mna.arg("list.pdf")},
        {"~/trieda/list.pdf", u_mna.arg("trieda/list.pdf")},
        {"~list", u_mna.arg("~list.pdf")},
        {"t/~/list", u_mna.arg("t/~/list.pdf")},
        {"~/nova/pod/" + najdlhsi, u_mna.arg("nova/pod/" + najdlhsi)},
        {"~/nova/" + najdlhsi_priecinok + "/list", u_mna.arg("nova/" + najdlhsi_priecinok + "/list.pdf")},
        {"~" + QString::fromLocal8Bit(ja->pw_name) + "/list-z-dialogu", u_ma.arg("list-z-dialogu.pdf")},
        {"~", {},
         QStringLiteral("%1 je priečinok.\nNapíšte aj názov súboru.").arg(QDir::toNativeSeparators(domov.path()))},
        {"~" + nikto + "/list", {},
         QStringLiteral("Používateľ %1 neexistuje, preto ~%1/ neoznačuje žiadny domovský priečinok.\nNapíšte iný názov "
                        "súboru.")
             .arg(nikto)},
    };
    qsizetype povedane = 0;
    for (const auto &[meno, subor, sprava] : mena) {
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            Napis_nazov(d, meno.toUtf8().constData());
            Tlac(d);
        });
        if (sprava.isEmpty()) {
            ASSERT_TRUE(volba.has_value()) << meno.toStdString();
            EXPECT_EQ(volba->fileName, subor) << meno.toStdString();
        } else {
            EXPECT_FALSE(volba.has_value()) << meno.toStdString();
            ASSERT_EQ(box.AskedBoxes().size(), ++povedane) << meno.toStdString();
            EXPECT_EQ(box.AskedBoxes().back().text, sprava);
        }
        EXPECT_EQ(QDir(domov.path()).entryList({"~*"}, QDir::AllEntries | QDir::Hidden), QStringList())
            << meno.toStdString() << ": a folder named \"~...\" made";
    }
    EXPECT_EQ(box.AskedBoxes().size(), povedane);
}

// "Vybrať…" opens a file chooser on the folder of the file offered or
// typed, or the nearest that exists however many are not there yet, which
// it does not make; the file chosen there is printed to.
TEST_F(Dialog_tlace, AFileChosenInTheFileChooserIsPrintedTo)
{
    const passwd *ja = getpwuid(geteuid());
    ASSERT_NE(ja, nullptr);
    const QString dlhy(256, 'x');
    // Not the home folder, where the chooser goes when it is given none there.
    const QTemporaryDir iny;
    const struct {
        QString napisane; // empty: the name offered
        QString priecinok;
    } mena[] = {
        {{}, domov.path()},
        {iny.path() + "/nova/pod/list", iny.path()},
        {iny.path() + "/nova/pod/" + dlhy, iny.path()},
        {"~" + QString::fromLocal8Bit(ja->pw_name) + "/nova/pod/list", QString::fromLocal8Bit(ja->pw_dir)},
    };
    for (const auto &[napisane, priecinok] : mena) {
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            if (!napisane.isEmpty())
                Prvok<QLineEdit>(d, "fileName")->setText(napisane);
            QTimer::singleShot(0, [&] {
                auto *vyber = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                ASSERT_NE(vyber, nullptr) << "the file chooser is open";
                EXPECT_EQ(QDir(vyber->directory()).canonicalPath(), QDir(priecinok).canonicalPath())
                    << napisane.toStdString();
                vyber->selectFile(QStringLiteral("iny"));
                QMetaObject::invokeMethod(vyber, "accept");
            });
            Prvok<QPushButton>(d, "chooseFile")->click();
            EXPECT_TRUE(Prvok<QRadioButton>(d, "toFile")->isChecked());
            Tlac(d);
        });
        ASSERT_TRUE(volba.has_value()) << napisane.toStdString();
        EXPECT_EQ(QFileInfo(volba->fileName).canonicalFilePath().isEmpty(), true) << "nothing written yet";
        EXPECT_EQ(QFileInfo(volba->fileName).fileName(), "iny.pdf");
        EXPECT_EQ(QFileInfo(QFileInfo(volba->fileName).absolutePath()).canonicalFilePath(),
                  QDir(priecinok).canonicalPath());
        EXPECT_FALSE(QDir(priecinok).exists("nova")) << napisane.toStdString() << ": made for looking";
        EXPECT_FALSE(QDir(domov.path()).exists("Documents")) << "the folder offered is not made for looking";
    }
}

} // namespace
