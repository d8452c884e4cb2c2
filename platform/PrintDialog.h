#pragma once
// The printer dialog: a printer the print system knows, or a PDF file, the
// copies and the pages. It never waits on the print system: it opens at
// once with the PDF file chosen and a note of what it awaits, and takes the
// printers, the default one and a printer's details from the printer
// directory as they come; when the printers or the default one cannot be
// had, it says why and the file stays chosen. Print may be pressed at any
// time: pressed while the printers are searched, with nothing chosen or
// "Tlačiareň" with no printer in the list, it is taken when the search
// ends, to the default printer then known; with none known the dialog says
// why and stays, so a file is written only when the teacher chose it or was
// told why. A choice made meanwhile, or the file chooser or the printer
// list opened, ends that wait, and the dialog asks for print again, saying
// which: a press goes only where the dialog shows when it is taken, and the
// dialog never closes under the chooser or the list, not even at the
// window manager's close. A printer the teacher picked stays picked when
// the default comes. Under the note, the details of the printer a press
// prints on; a name with no space to wrap at breaks where it must, and
// the dialog grows wider where its texts would not fit the screen's
// height.
#include "platform/Printer.h"

#include <optional>

namespace platform {

// The teacher's choice in the dialog titled `title`; nothing when cancelled.
// A file chosen has passed its checks: "~/" at its start the home folder
// and "~user/" that user's (a user the system does not know is said), a
// hidden one (".x") refused, ".pdf" added to a name that does not end in
// it, a name or a folder's name longer than the file system takes said
// before any folder is made, its missing folders made (and listed in the
// choice, for they go again when the file is not written), writing over an
// existing file agreed to; a folder that cannot be made or written to is
// said while the dialog stays, before anything is asked of a file there.
std::optional<PrintDialogChoice> AskPrintChoice(const QString &title);

} // namespace platform
