#pragma once
// Every OS service but the random source faked for the object's lifetime,
// so a run under test or benchmark never touches the machine's sound,
// message boxes, printer or printers, display mode or keyboard layout: the
// print dialog hears at once of no printer.
#include "platform/PrinterFake.h"
#include "platform/Services.h"
#include "support/Adresar_tlaciarni.h"

namespace lktest {

class Nahradne_sluzby {
public:
    platform::FakeClock hodiny;
    platform::FakeSound zvuk;
    platform::FakeMessageBox box;
    platform::FakeDisplayMode displej;
    platform::FakeKeyboardLayout klavesnica{{QStringLiteral("0000041B"), platform::UsKeyboardLayout}};
    platform::FakePrinter tlaciaren;
    Adresar_tlaciarni tlaciarne;

private:
    platform::ScopedService<platform::Clock> g1_{hodiny};
    platform::ScopedService<platform::Sound> g2_{zvuk};
    platform::ScopedService<platform::MessageBox> g3_{box};
    platform::ScopedService<platform::DisplayMode> g4_{displej};
    platform::ScopedService<platform::KeyboardLayout> g5_{klavesnica};
    platform::ScopedService<platform::Printer> g6_{tlaciaren};
    platform::ScopedService<platform::PrinterDirectory> g7_{tlaciarne};
};

} // namespace lktest
