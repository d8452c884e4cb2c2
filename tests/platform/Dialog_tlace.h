#pragma once
// The print dialog fed by a printer directory of the test's own, and the
// teacher's hands on it: what the dialog tests share.
#include "platform/PrintDialog.h"
#include "platform/Services.h"
#include "support/Adresar_tlaciarni.h"
#include "support/Fixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace lktest {

template <class W>
W *Prvok(QDialog &d, const char *meno)
{
    auto *w = d.findChild<W *>(QLatin1String(meno));
    EXPECT_NE(w, nullptr) << meno;
    return w;
}

inline QString Text(QDialog &d, const char *meno) { return Prvok<QLabel>(d, meno)->text(); }

inline void Tlac(QDialog &d) { d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click(); }

// The teacher types the file's name over the one offered.
inline void Napis_nazov(QDialog &d, const char *meno)
{
    auto *nazov = Prvok<QLineEdit>(d, "fileName");
    nazov->selectAll();
    // QTest types ASCII alone; a Slovak letter comes as a key with its text.
    for (const QChar c : QString::fromUtf8(meno))
        if (c.unicode() < 128)
            QTest::keyClick(nazov, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, nazov, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A home folder of the test's own (the file offered is made in it) and the
// printer directory and message boxes of the test.
struct Dialog_tlace : ::testing::Test {
    QTemporaryDir domov;
    const QByteArray stary_domov = qgetenv("HOME");
    Adresar_tlaciarni adresar;
    platform::FakeMessageBox box;
    platform::ScopedService<platform::PrinterDirectory> g1{adresar};
    platform::ScopedService<platform::MessageBox> g2{box};
    Dialog_tlace() { qputenv("HOME", domov.path().toUtf8()); }
    ~Dialog_tlace() override { qputenv("HOME", stary_domov); }

    // The teacher's part, once the dialog is open; a dialog still open
    // after it is cancelled.
    static std::optional<platform::PrintDialogChoice> Vyber(const std::function<void(QDialog &)> &ucitel)
    {
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr) << "the dialog is open";
            ucitel(*d);
            if (d->isVisible())
                d->reject();
        });
        return platform::AskPrintChoice(QStringLiteral("Tlač pracovného listu"));
    }
};

} // namespace lktest
