#include "platform/Keyboard.h"

namespace platform {

bool RememberedKeyboardLayout::LoadLayout(const QString &name)
{
    name_ = name;
    return true;
}

FakeKeyboardLayout::FakeKeyboardLayout(QStringList installed)
    : installed_(std::move(installed))
{
}

QString FakeKeyboardLayout::ActiveLayoutName()
{
    return installed_.isEmpty() ? QString() : installed_.at(active_);
}

void FakeKeyboardLayout::ActivatePrevious()
{
    ++activations_;
    if (installed_.isEmpty())
        return;
    active_ = (active_ + installed_.size() - 1) % installed_.size();
}

bool FakeKeyboardLayout::LoadLayout(const QString &name)
{
    loaded_.append(name);
    if (failLoading_)
        return false;
    qsizetype at = installed_.indexOf(name);
    if (at < 0) {
        installed_.append(name);
        at = installed_.size() - 1;
    }
    active_ = at;
    return true;
}

void FakeKeyboardLayout::Remove(const QString &name)
{
    const QString active = ActiveLayoutName();
    installed_.removeAll(name);
    const qsizetype at = installed_.indexOf(active);
    active_ = at < 0 ? 0 : at;
}

} // namespace platform
