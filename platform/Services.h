#pragma once
// Where code finds the OS services: platform::services().clock() and so on.
// The real services are made on first use; a test puts a fake in place for
// its own lifetime with ScopedService.
#include "platform/Clock.h"
#include "platform/DisplayMode.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/PrinterDirectory.h"
#include "platform/Random.h"
#include "platform/Sound.h"

#include <memory>
#include <tuple>

namespace platform {

class Services {
public:
    Services();
    ~Services();

    Clock &clock() { return Get<Clock>(); }
    Sound &sound() { return Get<Sound>(); }
    MessageBox &messageBox() { return Get<MessageBox>(); }
    RandomSource &random() { return Get<RandomSource>(); }
    DisplayMode &displayMode() { return Get<DisplayMode>(); }
    KeyboardLayout &keyboard() { return Get<KeyboardLayout>(); }
    Printer &printer() { return Get<Printer>(); }
    PrinterDirectory &printerDirectory() { return Get<PrinterDirectory>(); }

    // Puts service in place (nullptr brings back the real one) and returns
    // what was in place before.
    template <class T>
    T *Install(T *service)
    {
        T *previous = std::get<T *>(installed_);
        std::get<T *>(installed_) = service;
        return previous;
    }

private:
    template <class T>
    T &Get()
    {
        if (T *service = std::get<T *>(installed_))
            return *service;
        auto &real = std::get<std::unique_ptr<T>>(real_);
        if (!real) {
            ReleaseRealAtExit();
            real = MakeReal<T>();
        }
        return *real;
    }

    template <class T>
    static std::unique_ptr<T> MakeReal();

    // Sound and printer objects must go before the application object does,
    // and never by exit() (KeptForTheRun.h).
    void ReleaseRealAtExit();
    void ReleaseReal() { real_ = {}; }

    std::tuple<Clock *, Sound *, MessageBox *, RandomSource *, DisplayMode *,
               KeyboardLayout *, Printer *, PrinterDirectory *>
        installed_{};
    std::tuple<std::unique_ptr<Clock>, std::unique_ptr<Sound>, std::unique_ptr<MessageBox>,
               std::unique_ptr<RandomSource>, std::unique_ptr<DisplayMode>,
               std::unique_ptr<KeyboardLayout>, std::unique_ptr<Printer>,
               std::unique_ptr<PrinterDirectory>>
        real_;
};

Services &services();

// Where a worksheet goes when no printer and no file is chosen: a new
// name in the documents folder (which may not exist yet), or in the home
// folder where the desktop names none.
QString DefaultPdfPath();

// Installs a service for the lifetime of the guard and then puts back what
// was there before; guards nest. Name the service: ScopedService<Clock> g(fake);
template <class T>
class ScopedService {
public:
    explicit ScopedService(T &service) : previous_(services().Install<T>(&service)) {}
    ~ScopedService() { services().Install<T>(previous_); }
    ScopedService(const ScopedService &) = delete;
    ScopedService &operator=(const ScopedService &) = delete;

private:
    T *previous_;
};

} // namespace platform
