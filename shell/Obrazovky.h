#pragma once
// Small helpers the selection and set-up screens share.
#include "platform/Control.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"

namespace Shell {

// A picture from the program's own folder.
inline platform::Picture Obrazek(const QString &cesta)
{
    return Misc::Nacti_obrazek(Misc::Cesta_CD + cesta);
}

// n as two digits, as the picture files are numbered.
inline QString Dve_cislice(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// A picture button marks itself chosen with Tag 1.
inline bool Zvolene(const platform::Control *c) { return QString(c->Tag).toInt() == 1; }

} // namespace Shell
