#include "platform/MessageBox.h"

#include "platform/Form.h"

#include <QAbstractButton>
#include <QMessageBox>

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

} // namespace

MessageAnswer QtMessageBox::Show(const QString &text, int style, const QString &title)
{
    QMessageBox box(IconOf(style), title, text, QMessageBox::NoButton, Stage::dialogParent());
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
