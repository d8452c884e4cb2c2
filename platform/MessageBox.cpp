#include "platform/MessageBox.h"

#include "platform/Form.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QScreen>
#include <QTextBoundaryFinder>

namespace platform {

namespace {

constexpr int ButtonMask = 0x0F;
constexpr int IconMask = 0xF0;

QMessageBox::Icon IconOf(int style)
{
    switch (style & IconMask) {
    case MessageStyle::Critical: return QMessageBox::Critical;
    case MessageStyle::Question: return QMessageBox::Question;
    case MessageStyle::Exclamation: return QMessageBox::Warning;
    case MessageStyle::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

bool IsYesNo(int style) { return (style & ButtonMask) == MessageStyle::YesNo; }

// Qt's message box breaks a line only where a line may break (between
// words, after a slash), and a stretch wider than its text can be (a long
// file name) would be cut off: one wider than `room` may break anywhere.
QString Breakable(const QString &text, const QFontMetrics &metrics, int room)
{
    QString breakable;
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    for (qsizetype from = 0, to = lines.toNextBoundary(); to > 0; from = to, to = lines.toNextBoundary()) {
        const QString stretch = text.mid(from, to - from);
        if (metrics.horizontalAdvance(stretch) <= room) {
            breakable += stretch;
            continue;
        }
        QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, stretch);
        for (qsizetype a = 0, b = letters.toNextBoundary(); b > 0; a = b, b = letters.toNextBoundary())
            breakable += QStringView(stretch).mid(a, b - a), breakable += QChar(0x200B); // a zero-width space
    }
    return breakable;
}

} // namespace

MessageAnswer QtMessageBox::Show(const QString &text, int style, const QString &title)
{
    QMessageBox box(IconOf(style), title, QString(), QMessageBox::NoButton, Stage::dialogParent());
    // Qt's box gives a long text half the screen's width (500 at most) and
    // grows for a wider stretch only so far.
    const QScreen *screen = box.screen();
    box.setText(screen ? Breakable(text, box.fontMetrics(), qMin(screen->availableGeometry().width() / 2, 500)) : text);
    // Qt's own Slovak translation lacks the standard buttons' texts.
    if (IsYesNo(style)) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Áno"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int clicked = Stage::runDialog(box);
    if (!IsYesNo(style))
        return MessageAnswer::Ok;
    // Closing the window without a button counts as No.
    return clicked == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer FakeMessageBox::Show(const QString &text, int style, const QString &title)
{
    asked_.append({text, style, title});
    if (!script_.isEmpty())
        return script_.takeFirst();
    return IsYesNo(style) ? MessageAnswer::Yes : MessageAnswer::Ok;
}

} // namespace platform
