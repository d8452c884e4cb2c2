#pragma once
// Modal message boxes with the Windows-style call: text, style flags, title.
#include <QList>
#include <QString>

namespace platform {

// Style flags, combined with |: one button set and at most one icon.
namespace MessageStyle {
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
} // namespace MessageStyle

enum class MessageAnswer { Ok = 1, Yes = 6, No = 7 };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer Show(const QString &text, int style, const QString &title) = 0;
};

class QtMessageBox final : public MessageBox {
public:
    MessageAnswer Show(const QString &text, int style, const QString &title) override;
};

// Answers from a script, in order; once the script is used up every box is
// answered with its first button (OK or Yes), as Enter would.
class FakeMessageBox final : public MessageBox {
public:
    struct Asked {
        QString text;
        int style;
        QString title;
    };

    MessageAnswer Show(const QString &text, int style, const QString &title) override;

    void Script(QList<MessageAnswer> answers) { script_ = std::move(answers); }
    const QList<Asked> &AskedBoxes() const { return asked_; }

private:
    QList<MessageAnswer> script_;
    QList<Asked> asked_;
};

} // namespace platform
