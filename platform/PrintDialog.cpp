#include "platform/PrintDialog.h"
#include "platform/PrintDialogFile.h"

#include "platform/DocumentFiles.h"
#include "platform/Services.h"
#include "platform/Stage.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QSet>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextBoundaryFinder>
#include <QVBoxLayout>

#include <utility>

namespace platform {

namespace {

// Of pages and of copies.
constexpr int MostOf = 999;

// What the directory says is said as a sentence of its own.
QString AsSentence(const QString &why)
{
    QString sentence = why.trimmed();
    if (sentence.isEmpty())
        return sentence;
    sentence[0] = sentence[0].toUpper();
    if (!sentence.endsWith(QLatin1Char('.')) && !sentence.endsWith(QLatin1Char('!'))
        && !sentence.endsWith(QChar(0x2026)))
        sentence += QLatin1Char('.');
    return sentence;
}

// A label wraps a text only where a line may break, and a name with no
// space in it (the queues of printers set up without a driver are named
// with underscores, up to 127 bytes) would run past its edge. A run longer
// than any word of a sentence may break after each separator in it and, in
// a piece still that long, after any character: in what is shown only,
// never in the name printed to.
QString Wrappable(const QString &text)
{
    constexpr int Longest = 24;
    static const QRegularExpression longRun(QStringLiteral("\\S{%1,}").arg(Longest + 1));
    static const QRegularExpression afterSeparator(QStringLiteral("(?<=[_/.,:;=+@#&?\\\\-])(?=\\S)"));
    const QChar mayBreak(0x200B); // a zero-width space
    QString shown;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &run : longRun.globalMatch(text)) {
        shown += text.mid(done, run.capturedStart() - done);
        QStringList pieces = run.captured().replace(afterSeparator, mayBreak).split(mayBreak);
        for (QString &piece : pieces) {
            if (piece.size() <= Longest)
                continue;
            QString broken;
            QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, piece);
            for (qsizetype from = 0, to = letters.toNextBoundary(); to > 0; from = to, to = letters.toNextBoundary())
                broken += (from ? QString(mayBreak) : QString()) + piece.mid(from, to - from);
            piece = broken;
        }
        shown += pieces.join(mayBreak);
        done = run.capturedEnd();
    }
    return shown + text.mid(done);
}

class PrintDialog final : public QDialog {
public:
    PrintDialog(const QString &title, QWidget *parent);
    const std::optional<PrintDialogChoice> &Choice() const { return choice_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // What ended a press's wait for the default printer.
    enum class Stopped { No, ByChoice, ByList, ByChooser };
    QGroupBox *MakeOutput();
    QWidget *MakeNoteAndDetails();
    void ConnectOutput(QPushButton *choose);
    QGroupBox *MakeCopiesAndPages();
    // The teacher's own choice of where to print.
    void Choose(QRadioButton *output)
    {
        output->setChecked(true);
        chosen_ = true;
        StopWaiting(Stopped::ByChoice);
        ShowNote();
    }
    // Print pressed before the teacher chose anew, or opened the file
    // chooser or the printer list, waits no more: the sheet goes only where
    // the dialog shows when print is pressed, and the note asks for it
    // again, saying why; a choice after an opening is a change.
    void StopWaiting(Stopped by)
    {
        if (std::exchange(printWhenFound_, false))
            pressAgain_ = by;
        else if (pressAgain_ != Stopped::No && by == Stopped::ByChoice)
            pressAgain_ = by;
        else
            return;
        ShowNote();
    }
    // A press now would wait for the search, having no printer to take.
    bool PressWaits() const
    {
        return (searching_ && !chosen_) || (toPrinter_->isChecked() && printers_->currentIndex() < 0);
    }
    static QString AwaitingTheDefault()
    {
        return QStringLiteral("Pracovný list sa vytlačí na predvolenej tlačiarni, hneď ako ju tlačový systém oznámi.");
    }
    QString Searching() const
    {
        return printers_->count() ? QStringLiteral("Zisťuje sa, ktorá tlačiareň je predvolená…")
                                  : QStringLiteral("Hľadajú sa tlačiarne…");
    }
    QString Note() const;
    void ShowNote();
    void ShowPrinters(const PrinterListing &listing);
    void AskDetails();
    void ShowDetails(const PrinterDetails &details);
    void Grow(QWidget *changed);
    void ChooseFile();
    void Print();

    QRadioButton *toPrinter_ = nullptr, *toFile_ = nullptr, *allPages_ = nullptr, *somePages_ = nullptr;
    QComboBox *printers_ = nullptr;
    QLabel *printersNote_ = nullptr, *location_ = nullptr, *model_ = nullptr, *state_ = nullptr;
    // Of the printer a press prints on, under the note.
    QWidget *details_ = nullptr;
    QLineEdit *fileName_ = nullptr;
    QSpinBox *copies_ = nullptr, *fromPage_ = nullptr, *toPage_ = nullptr;
    // Once the teacher has chosen, printers that come late leave the choice
    // alone, and the printer picked in the list stays picked.
    bool chosen_ = false;
    QString picked_;
    // The printers or the default one are still being asked.
    bool searching_ = true;
    // Print was pressed meanwhile with nothing chosen, or no printer in the
    // list: the sheet goes to the default printer once it is known, else
    // the dialog says why not.
    bool printWhenFound_ = false;
    // What ended that wait: said until print is pressed again.
    Stopped pressAgain_ = Stopped::No;
    // The file chooser is open over the dialog.
    bool choosing_ = false;
    // Why the printers or the default one could not be had, as a sentence.
    QString why_;
    // The details of each printer as the directory told them, a refusal
    // too: asked once in the dialog's life, said once.
    QHash<QString, PrinterDetails> known_;
    QSet<QString> asked_;
    std::optional<PrintDialogChoice> choice_;
};

PrintDialog::PrintDialog(const QString &title, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("printDialog"));
    setWindowTitle(title);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Tlačiť"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Zrušiť"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Print(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MakeOutput());
    layout->addWidget(MakeCopiesAndPages());
    // Room the dialog grew to for a reason since gone stays above the
    // buttons.
    layout->addStretch(1);
    layout->addWidget(buttons);
    // Room for a printer's place and model, and a reason, on a line or two.
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    services().printerDirectory().AskPrinters(this, [this](const PrinterListing &listing) { ShowPrinters(listing); });
}

QGroupBox *PrintDialog::MakeOutput()
{
    auto *box = new QGroupBox(QStringLiteral("Tlačiareň alebo súbor"));
    toPrinter_ = new QRadioButton(QStringLiteral("&Tlačiareň:"));
    toPrinter_->setObjectName(QStringLiteral("toPrinter"));
    toPrinter_->setEnabled(false);
    printers_ = new QComboBox;
    printers_->setObjectName(QStringLiteral("printers"));
    printers_->setEnabled(false);
    // A long queue name must not widen the dialog past the screen.
    printers_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    printers_->setMinimumContentsLength(16);
    toFile_ = new QRadioButton(QStringLiteral("Súbor P&DF:"));
    toFile_->setObjectName(QStringLiteral("toFile"));
    // Until the print system has answered, the file is what can be used.
    toFile_->setChecked(true);
    toFile_->installEventFilter(this);
    fileName_ = new QLineEdit(QDir::toNativeSeparators(DefaultPdfPath()));
    fileName_->setObjectName(QStringLiteral("fileName"));
    auto *choose = new QPushButton(QStringLiteral("&Vybrať…"));
    choose->setObjectName(QStringLiteral("chooseFile"));
    choose->setAutoDefault(false);
    // Rows of a box layout, which gives a wrapped text the lines it needs;
    // the printer, its note and details, and the file begin on one line.
    const int indent = qMax(toPrinter_->sizeHint().width(), toFile_->sizeHint().width());
    auto *rows = new QVBoxLayout(box);
    const auto row = [&](QWidget *start, QWidget *main, QWidget *end = nullptr) {
        auto *line = new QHBoxLayout;
        if (start) {
            start->setMinimumWidth(indent);
            line->addWidget(start);
        } else {
            line->addSpacing(indent);
        }
        line->addWidget(main, 1);
        if (end)
            line->addWidget(end);
        rows->addLayout(line);
    };
    row(toPrinter_, printers_);
    row(nullptr, MakeNoteAndDetails());
    row(toFile_, fileName_, choose);
    ConnectOutput(choose);
    return box;
}

// The note on the printers, and under it the details of the printer a
// press prints on, each shown when it has something to say.
QWidget *PrintDialog::MakeNoteAndDetails()
{
    printersNote_ = new QLabel(QStringLiteral("Hľadajú sa tlačiarne…"));
    printersNote_->setObjectName(QStringLiteral("printersNote"));
    printersNote_->setWordWrap(true);
    printersNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    details_ = new QWidget;
    details_->setObjectName(QStringLiteral("printerDetails"));
    details_->hide();
    auto *detailsRows = new QGridLayout(details_);
    detailsRows->setContentsMargins(0, 0, 0, 0);
    detailsRows->setColumnStretch(1, 1);
    int at = 0;
    for (auto [label, name, field] : {std::tuple("Umiestnenie:", "location", &location_),
                                      std::tuple("Model:", "model", &model_), std::tuple("Stav:", "state", &state_)}) {
        *field = new QLabel;
        (*field)->setObjectName(QLatin1String(name));
        (*field)->setWordWrap(true);
        (*field)->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // The name beside the first line of a text that wraps.
        detailsRows->addWidget(new QLabel(QString::fromUtf8(label)), at, 0, Qt::AlignTop);
        detailsRows->addWidget(*field, at++, 1, Qt::AlignTop);
    }
    auto *both = new QWidget;
    auto *column = new QVBoxLayout(both);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(printersNote_);
    column->addWidget(details_);
    column->addStretch(1);
    // The room of the details from the start, so the dialog does not jump
    // when they come.
    both->setMinimumHeight(details_->sizeHint().height());
    return both;
}

void PrintDialog::ConnectOutput(QPushButton *choose)
{
    connect(toPrinter_, &QRadioButton::clicked, this, [this] { Choose(toPrinter_); });
    connect(toFile_, &QRadioButton::clicked, this, [this] { Choose(toFile_); });
    connect(printers_, &QComboBox::activated, this, [this] { Choose(toPrinter_); });
    printers_->view()->window()->installEventFilter(this);
    // The dialog's own changes of the list are quiet: one heard is the
    // teacher's.
    connect(printers_, &QComboBox::currentIndexChanged, this, [this] {
        picked_ = printers_->currentText();
        AskDetails();
        ShowNote();
    });
    connect(fileName_, &QLineEdit::textEdited, this, [this] { Choose(toFile_); });
    connect(choose, &QPushButton::clicked, this, [this] {
        StopWaiting(Stopped::ByChooser);
        ChooseFile();
    });
}

// Alt+D chooses the file and gives the keys to its name, which is what is
// typed next. The printer list opened, the teacher is choosing.
bool PrintDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == printers_->view()->window() && event->type() == QEvent::Show)
        StopWaiting(Stopped::ByList);
    if (watched != toFile_ || event->type() != QEvent::Shortcut)
        return QDialog::eventFilter(watched, event);
    Choose(toFile_);
    fileName_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

// The window manager's close (a taskbar's "Zavrieť") leaves the dialog
// under the printer list or the file chooser, where the teacher is
// choosing; only there does it come meanwhile.
void PrintDialog::closeEvent(QCloseEvent *event)
{
    if (choosing_ || printers_->view()->isVisible())
        return event->ignore();
    QDialog::closeEvent(event);
}

QGroupBox *PrintDialog::MakeCopiesAndPages()
{
    auto *box = new QGroupBox(QStringLiteral("Kópie a strany"));
    auto *grid = new QGridLayout(box);
    copies_ = new QSpinBox;
    copies_->setObjectName(QStringLiteral("copies"));
    copies_->setRange(1, MostOf);
    auto *copiesLabel = new QLabel(QStringLiteral("Počet &kópií:"));
    copiesLabel->setBuddy(copies_);
    allPages_ = new QRadioButton(QStringLiteral("všetk&y"));
    allPages_->setObjectName(QStringLiteral("allPages"));
    allPages_->setChecked(true);
    somePages_ = new QRadioButton(QStringLiteral("&od"));
    somePages_->setObjectName(QStringLiteral("somePages"));
    fromPage_ = new QSpinBox;
    fromPage_->setObjectName(QStringLiteral("fromPage"));
    toPage_ = new QSpinBox;
    toPage_->setObjectName(QStringLiteral("toPage"));
    for (QSpinBox *page : {fromPage_, toPage_})
        page->setRange(1, MostOf);
    auto *pages = new QHBoxLayout;
    pages->addWidget(allPages_);
    pages->addSpacing(12);
    pages->addWidget(somePages_);
    pages->addWidget(fromPage_);
    pages->addWidget(new QLabel(QStringLiteral("do")));
    pages->addWidget(toPage_);
    pages->addStretch(1);
    grid->addWidget(copiesLabel, 0, 0);
    grid->addWidget(copies_, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Strany:")), 1, 0);
    grid->addLayout(pages, 1, 1);
    grid->setColumnStretch(1, 1);

    // The range stays a range: the other end follows the one moved past it.
    connect(fromPage_, &QSpinBox::valueChanged, this, [this](int from) {
        somePages_->setChecked(true);
        if (toPage_->value() < from)
            toPage_->setValue(from);
    });
    connect(toPage_, &QSpinBox::valueChanged, this, [this](int to) {
        somePages_->setChecked(true);
        if (fromPage_->value() > to)
            fromPage_->setValue(to);
    });
    return box;
}

// What the dialog says of the printers: what the search is at while the
// list is empty or a press would wait for it, else why no printer is taken
// and what a press does then; and, after what ended a press's wait, why
// print is to be pressed again.
QString PrintDialog::Note() const
{
    const QString noDefault =
        why_.isEmpty() ? QStringLiteral("Tlačový systém nemá nastavenú predvolenú tlačiareň.") : why_;
    QStringList note;
    if (searching_)
        note << (printWhenFound_                       ? AwaitingTheDefault()
                 : !printers_->count() || PressWaits() ? Searching()
                                                       : QString());
    else if (!printers_->count())
        note << (why_.isEmpty() ? QStringLiteral("Tlačový systém nepozná žiadnu tlačiareň.") : why_)
             << QStringLiteral("Pracovný list sa dá uložiť do súboru PDF.");
    else if (toFile_->isChecked() && !chosen_)
        // No default printer to choose: why the file is chosen.
        note << noDefault << QStringLiteral("Pracovný list sa preto uloží do súboru PDF, ak nevyberiete tlačiareň.");
    else if (toFile_->isChecked())
        note << why_;
    else if (printers_->currentIndex() < 0)
        note << noDefault << QStringLiteral("Vyberte tlačiareň v zozname.");
    if (pressAgain_ != Stopped::No) {
        const QString what = pressAgain_ == Stopped::ByList      ? QStringLiteral("otvorili zoznam tlačiarní")
                             : pressAgain_ == Stopped::ByChooser ? QStringLiteral("otvorili výber súboru")
                                                                 : QStringLiteral("zmenili výber");
        note << QStringLiteral("Po stlačení tlačidla „Tlačiť“ ste %1, preto sa pracovný list zatiaľ netlačí.").arg(what)
             << QStringLiteral("Stlačte „Tlačiť“ znova.");
    }
    note.removeAll(QString());
    return note.join(QLatin1Char(' '));
}

// The note says what is missing until a printer is chosen; the details
// show of the printer a press prints on.
void PrintDialog::ShowNote()
{
    const QString note = Note();
    printersNote_->setText(Wrappable(note));
    printersNote_->setVisible(!note.isEmpty());
    details_->setVisible(toPrinter_->isChecked() && printers_->currentIndex() >= 0);
    Grow(printersNote_);
}

// The printers as soon as they are known, the default one chosen once it
// is told; while it is awaited none is, lest the teacher take the first for
// it.
void PrintDialog::ShowPrinters(const PrinterListing &listing)
{
    searching_ = listing.defaultAwaited;
    why_ = AsSentence(listing.why);
    const bool any = !listing.printers.isEmpty();
    const int byDefault = listing.printers.indexOf(listing.defaultPrinter);
    // The teacher's own default printer, not the server's offered instead.
    const bool told = byDefault >= 0 && !listing.ownDefaultMissing;
    {
        const QSignalBlocker quiet(printers_);
        QStringList shown;
        for (int i = 0; i < printers_->count(); ++i)
            shown << printers_->itemText(i);
        if (shown != listing.printers) {
            printers_->clear();
            printers_->addItems(listing.printers);
        }
        int current = picked_.isEmpty() ? -1 : printers_->findText(picked_);
        // With no default told, one is offered beside the file; a teacher
        // who chose "Tlačiareň" picks it.
        if (current < 0 && any && !searching_ && (told || !(chosen_ && toPrinter_->isChecked())))
            current = qMax(byDefault, 0);
        printers_->setCurrentIndex(current);
    }
    toPrinter_->setEnabled(any);
    printers_->setEnabled(any);
    if (told && !chosen_)
        toPrinter_->setChecked(true);
    if (printers_->currentIndex() >= 0)
        AskDetails();
    ShowNote();
    // Print pressed meanwhile goes to the default printer told; else the
    // note says why not, and the dialog stays for the teacher's choice.
    if (!searching_ && std::exchange(printWhenFound_, false) && told && toPrinter_->isChecked())
        Print();
}

void PrintDialog::AskDetails()
{
    const QString printer = printers_->currentText();
    if (printer.isEmpty())
        return;
    if (const auto known = known_.constFind(printer); known != known_.cend())
        return ShowDetails(*known);
    ShowDetails({});
    if (asked_.contains(printer))
        return; // its answer is on its way
    asked_.insert(printer);
    services().printerDirectory().AskDetails(printer, this, [this, printer](PrinterDetails details) {
        details.printer = printer;
        known_.insert(printer, details);
        if (printers_->currentText() == printer)
            ShowDetails(details);
    });
}

// Details not yet known (no printer named) show that they are awaited.
void PrintDialog::ShowDetails(const PrinterDetails &details)
{
    const bool known = !details.printer.isEmpty() && details.why.isEmpty();
    location_->setText(Wrappable(known ? details.location : QString()));
    model_->setText(Wrappable(known ? details.model : QString()));
    QString state;
    if (details.printer.isEmpty())
        state = QStringLiteral("Zisťuje sa…");
    else if (!details.why.isEmpty())
        state = AsSentence(details.why);
    else
        state = AsSentence(details.state);
    // The print server's own message may have said so already.
    if (const QString refuses = QStringLiteral("Tlačiareň neprijíma úlohy.");
        known && !details.acceptsJobs && !state.contains(refuses))
        state += QLatin1Char(' ') + refuses;
    state_->setText(Wrappable(state.trimmed().isEmpty() ? QStringLiteral("Neznámy.") : state.trimmed()));
    Grow(details_);
}

// A text that came after the dialog was sized may wrap to more lines than
// it has room for: the dialog grows to them, and never shrinks, lest it
// jump about as the answers come; where they would not fit the screen's
// height, it grows as much wider as lets them, up to the screen's width.
// The sizes of the boxes around the text are asked anew, which Qt would do
// only once the event loop runs.
void PrintDialog::Grow(QWidget *changed)
{
    if (!isVisible())
        return;
    for (QWidget *w = changed; w && w != this; w = w->parentWidget())
        w->updateGeometry();
    layout()->activate();
    const auto heightAt = [this](int width) { return layout()->totalHeightForWidth(width); };
    const QSize frame = frameGeometry().size() - size();
    const QSize room = screen()->availableGeometry().size() - frame;
    int width = this->width();
    if (heightAt(width) > room.height() && width < room.width()) {
        int narrower = width; // too narrow
        width = room.width(); // the fewest lines, which may still be too many
        while (width - narrower > 1 && heightAt(width) <= room.height()) {
            const int middle = (narrower + width) / 2;
            (heightAt(middle) <= room.height() ? width : narrower) = middle;
        }
    }
    if (const int needed = heightAt(width); width != this->width() || needed > height())
        resize(width, qMax(needed, height()));
}

void PrintDialog::ChooseFile()
{
    std::optional<QString> file;
    {
        const QScopedValueRollback open(choosing_, true);
        file = ChoosePdfFile(fileName_->text(), this);
    }
    if (!file)
        return;
    fileName_->setText(*file);
    Choose(toFile_);
}

void PrintDialog::Print()
{
    if (std::exchange(pressAgain_, Stopped::No) != Stopped::No)
        ShowNote();
    // Nothing chosen, or "Tlačiareň" with no printer in the list: the
    // default printer is awaited while the search goes on; after it, the
    // note says why no printer can be used.
    if (PressWaits()) {
        printWhenFound_ = searching_;
        return ShowNote();
    }
    PrintDialogChoice choice;
    if (toPrinter_->isChecked() && printers_->currentIndex() >= 0) {
        choice.deviceName = printers_->currentText();
    } else if (const std::optional<CheckedPdfFile> file = CheckPdfFile(*fileName_, windowTitle())) {
        choice.fileName = file->path;
        choice.madeFolders = file->madeFolders;
    } else {
        return;
    }
    choice.copies = copies_->value();
    if (somePages_->isChecked()) {
        choice.fromPage = fromPage_->value();
        choice.toPage = toPage_->value();
    }
    choice_ = choice;
    accept();
}

} // namespace

std::optional<PrintDialogChoice> AskPrintChoice(const QString &title)
{
    PrintDialog dialog(title, Stage::dialogParent());
    if (Stage::runDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

} // namespace platform
