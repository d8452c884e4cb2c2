#pragma once
// Every OS service but the random source faked for the object's lifetime,
// so a run under test or benchmark never touches the machine's sound,
// message boxes, printer, display mode or keyboard layout.
#include "platform/PrinterFake.h"
#include "platform/Services.h"

namespace lktest {

class Nahradne_sluzby {
public:
    platform::FakeClock hodiny;
    platform::FakeSound zvuk;
    platform::FakeMessageBox box;
    platform::FakeDisplayMode displej;
    platform::FakeKeyboardLayout klavesnica{{QStringLiteral("0000041B"), platform::UsKeyboardLayout}};
    platform::FakePrinter tlaciaren;

private:
    platform::ScopedService<platform::Clock> g1_{hodiny};
    platform::ScopedService<platform::Sound> g2_{zvuk};
    platform::ScopedService<platform::MessageBox> g3_{box};
    platform::ScopedService<platform::DisplayMode> g4_{displej};
    platform::ScopedService<platform::KeyboardLayout> g5_{klavesnica};
    platform::ScopedService<platform::Printer> g6_{tlaciaren};
};

} // namespace lktest
