#pragma once
// How the printer's documents reach the disk: through the system's safe
// write, handed to the platform (platform::UseDocumentWriter) by the
// program at start and by the tests' main.
#include "platform/DocumentFiles.h"

namespace Misc {

// The one writer of the run.
platform::DocumentWriter &Zapisovac_dokumentov();

} // namespace Misc
