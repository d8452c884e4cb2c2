#include "platform/Runtime.h"

#include "platform/Control.h"
#include "platform/Fonts.h"
#include "platform/Form.h"
#include "platform/KeptForTheRun.h"
#include "platform/Signals.h"
#include "platform/X11Screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

#include <vector>

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

// What is given by keyboard, mouse, wheel or touch.
bool isInput(const QEvent *e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

// Input taken from every window, so nothing gets it; a press so taken is
// the first click of a double click for no control.
bool drop(const QEvent *e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)
        Control::pressLost();
    return true;
}

// All the input, while a note is shown.
class DropInput final : public QObject {
public:
    bool eventFilter(QObject *, QEvent *e) override { return isInput(e) && drop(e); }
};

// On X, what was given before the last note went and comes only after it:
// a click still on its way then, or held meanwhile by a busy window manager,
// known by the X server's time it bears.
class DropLateInput final : public QObject {
public:
    using QObject::QObject;
    unsigned givenBy = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (!e->spontaneous() || !isInput(e) || e->type() == QEvent::InputMethod)
            return false;
        // The server's time counts milliseconds around in 32 bits.
        const auto given = unsigned(static_cast<const QInputEvent *>(e)->timestamp());
        return qint32(given - givenBy) <= 0 && drop(e);
    }
};

} // namespace

namespace {

struct Translations {
    QTranslator catalogue;
    StandardButtonTexts buttons{catalogue};
    // What Qt's catalogue lacks of the file chooser; consulted first.
    QTranslator dialogs;
    const bool qt = catalogue.load(QStringLiteral("qtbase_sk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    const bool own = dialogs.load(QStringLiteral(":/translations/dialogs_sk.qm"));
};

} // namespace

void InstallTranslations()
{
    // Installed translators are taken out of the application as they go.
    static const KeptForTheRun<Translations> t;
    const std::pair<QTranslator *, bool> all[] = {{&t->catalogue, t->qt}, {&t->buttons, t->qt}, {&t->dialogs, t->own}};
    for (const auto &[translator, loaded] : all) {
        QCoreApplication::removeTranslator(translator);
        if (loaded)
            QCoreApplication::installTranslator(translator);
    }
}

void DoEvents()
{
    const EventWait waiting;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {
int eventWaits = 0;
}

EventWait::EventWait() { ++eventWaits; }
EventWait::~EventWait()
{
    if (--eventWaits == 0)
        Stage::waitsOver();
}
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

namespace {

// The notes shown, oldest first, and the one box on the stage that says
// them all.
std::vector<const QString *> notesShown;
QPointer<QLabel> noteBox;

// Shows what the notes say now, the box laid out and centred anew, and
// paints it at once: the work under a note may handle no paint for a while.
void ShowNotes()
{
    if (notesShown.empty()) {
        delete noteBox;
        return;
    }
    Stage *stage = Stage::instance();
    if (!noteBox) {
        noteBox = new QLabel(stage);
        noteBox->setFont(makeFont(kDesignFont, 10, true));
        noteBox->setAlignment(Qt::AlignCenter);
        // In the colours of the screens' panels.
        noteBox->setStyleSheet(QStringLiteral("QLabel { background: rgb(255, 248, 225); color: rgb(20, 40, 90);"
                                              " border: 2px solid rgb(240, 160, 40); border-radius: 8px;"
                                              " padding: 14px 24px; }"));
    }
    QStringList lines;
    for (auto it = notesShown.rbegin(); it != notesShown.rend(); ++it)
        lines << **it;
    noteBox->setText(lines.join(QLatin1Char('\n')));
    noteBox->adjustSize();
    noteBox->move((stage->width() - noteBox->width()) / 2, (stage->height() - noteBox->height()) / 2);
    noteBox->show();
    noteBox->raise();
    noteBox->repaint();
}

} // namespace

WaitNote::WaitNote(const QString &text) : text_(text)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    dropInput_ = std::make_unique<DropInput>();
    QCoreApplication::instance()->installEventFilter(dropInput_.get());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    notesShown.push_back(&text_);
    ShowNotes();
    shown_ = turned_ = std::chrono::steady_clock::now();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

WaitNote::~WaitNote()
{
    if (!dropInput_)
        return;
    // What was typed or clicked during the wait is handled now, and dropped;
    // so is what came while that was handled (a turn of events leaves what
    // is posted in it to the next), up to the note's going.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
    std::erase(notesShown, &text_);
    ShowNotes();
    QCoreApplication::instance()->removeEventFilter(dropInput_.get());
    if (const std::optional<unsigned> now = x11::serverTime()) {
        static QPointer<DropLateInput> late;
        if (!late)
            QCoreApplication::instance()->installEventFilter(late = new DropLateInput(QCoreApplication::instance()));
        late->givenBy = *now;
    }
    QApplication::restoreOverrideCursor();
}

bool WaitNote::Update(const QString &text)
{
    text_ = text;
    // A turn at every step of quick work slowed it by a twentieth, and the
    // box painted at every step by a tenth on X: a turn every 20 ms and a
    // box painted every 50 ms are as good to the eye.
    const auto now = std::chrono::steady_clock::now();
    if (!dropInput_ || now - turned_ < std::chrono::milliseconds(20))
        return !terminationRequested();
    turned_ = now;
    if (now - shown_ >= std::chrono::milliseconds(50)) {
        ShowNotes();
        shown_ = now;
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !terminationRequested();
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
