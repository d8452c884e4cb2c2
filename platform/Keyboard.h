#pragma once
// Keyboard layouts as the guard routines see them: a ring of installed
// layouts, each named by 8 hexadecimal digits ("00000409" is US English).
#include <QString>
#include <QStringList>

namespace platform {

inline const QString UsKeyboardLayout = QStringLiteral("00000409");

class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // Name of the active layout.
    virtual QString ActiveLayoutName() = 0;
    // Makes the previous layout of the ring the active one.
    virtual void ActivatePrevious() = 0;
    // Installs the layout if needed and makes it active; false on failure.
    virtual bool LoadLayout(const QString &name) = 0;
};

// No switching of the system's layouts: keys are read by their US position
// elsewhere. The layout name is only remembered.
class RememberedKeyboardLayout final : public KeyboardLayout {
public:
    QString ActiveLayoutName() override { return name_; }
    void ActivatePrevious() override {}
    bool LoadLayout(const QString &name) override;

private:
    QString name_ = UsKeyboardLayout;
};

class FakeKeyboardLayout final : public KeyboardLayout {
public:
    // The ring of installed layouts; the first one is active.
    explicit FakeKeyboardLayout(QStringList installed = {UsKeyboardLayout});

    QString ActiveLayoutName() override;
    void ActivatePrevious() override;
    bool LoadLayout(const QString &name) override;

    void FailLoading(bool fail) { failLoading_ = fail; }
    // Takes a layout out of the ring, as a user could while the program runs.
    void Remove(const QString &name);

    int Activations() const { return activations_; }
    const QStringList &Loaded() const { return loaded_; }
    const QStringList &Installed() const { return installed_; }

private:
    QStringList installed_;
    qsizetype active_ = 0;
    bool failLoading_ = false;
    int activations_ = 0;
    QStringList loaded_;
};

} // namespace platform
