#include "platform/Runtime.h"

#include "platform/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

namespace platform {

namespace {

// The catalogue has "Cancel", "Yes" and "No" under the button box, where
// earlier Qt releases looked them up.
class StandardButtonTexts final : public QTranslator {
public:
    explicit StandardButtonTexts(const QTranslator &catalogue) : catalogue_(catalogue) {}
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "QPlatformTheme") != 0)
            return {};
        return catalogue_.translate("QDialogButtonBox", sourceText, disambiguation, n);
    }

private:
    const QTranslator &catalogue_;
};

} // namespace

void InstallTranslations()
{
    static QTranslator catalogue;
    static StandardButtonTexts buttons(catalogue);
    // What Qt's catalogue lacks of the print dialogs; consulted first.
    static QTranslator dialogs;
    static const bool qt =
        catalogue.load(QStringLiteral("qtbase_sk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    static const bool own = dialogs.load(QStringLiteral(":/translations/dialogs_sk.qm"));
    const std::pair<QTranslator *, bool> all[] = {{&catalogue, qt}, {&buttons, qt}, {&dialogs, own}};
    for (const auto &[translator, loaded] : all) {
        QCoreApplication::removeTranslator(translator);
        if (loaded)
            QCoreApplication::installTranslator(translator);
    }
}

void DoEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {
int eventWaits = 0;
}

EventWait::EventWait() { ++eventWaits; }
EventWait::~EventWait() { --eventWaits; }
bool EventWait::running() { return eventWaits > 0; }

BusyWait::~BusyWait()
{
    if (cursor_)
        QApplication::restoreOverrideCursor();
}

void BusyWait::Paint()
{
    if (!cursor_ && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursor_ = true;
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool SendKeys(const QString &keys)
{
    if (keys.compare(QLatin1String("{TAB}"), Qt::CaseInsensitive) != 0)
        return false;
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return true;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(target, &press);
    if (QWidget *now = QApplication::focusWidget())
        QApplication::sendEvent(now, &release);
    return true;
}

QPoint cursorPosition()
{
    return Stage::instance()->cursorPosition();
}

} // namespace platform
