#include "app/class_sheets_dialog.h"

#include "app/class_set_output.h"
#include "forms/busy_wait.h"
#include "forms/message_box.h"
#include "forms/texts.h"
#include "print/output_failure.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

namespace virdamo::app {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

/// Longest wait for the print service to say it is there before the print dialog opens.
constexpr std::chrono::milliseconds kServiceCheck = 2s;

/// The paper printer stands on, portrait, with its printable area.
print::Paper paperOf(const QPrinter& printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    return print::Paper{layout.fullRect(QPageLayout::Millimeter).size(), layout.margins(QPageLayout::Millimeter)};
}

class StandardOutputDialogs final : public OutputDialogs {
public:
    std::optional<PrintChoice> choosePrinter(int pageCount, QWidget* parent) override
    {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, parent);
        // No "print to file": "Salva PDF..." does that, and the job never goes Qt's way.
        dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies
                          | QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(1, pageCount);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        PrintChoice choice{printer.printerName(), {}, paperOf(printer)};
        choice.options.copies = std::max(1, printer.copyCount());
        choice.options.collate = printer.collateCopies();
        if (printer.printRange() == QPrinter::PageRange) {
            for (const QPageRanges::Range& range : printer.pageRanges().toRangeList()) {
                choice.options.pageRanges.emplace_back(range.from, range.to);
            }
        }
        return choice;
    }

    PreviewOutcome preview(const std::vector<print::Page>& pages, const print::Paper& paper, QWidget* parent) override
    {
        PreviewDialog dialog(pages, paper, parent);
        dialog.exec();
        return dialog.outcome();
    }

    QString saveFileName(const QString& proposed, QWidget* parent) override
    {
        QFileDialog dialog(parent, texts::kSavePdfTitle, QFileInfo(proposed).absolutePath(), texts::kPdfFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(u"pdf"_s);
        dialog.selectFile(proposed);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                       : QString();
    }
};

/// The settings a code stands for, as the teacher chose them in the worksheet window.
QString settingsOf(const SheetCode& code)
{
    return texts::kCodeSettings.arg(code.cifreMoltiplicando)
        .arg(code.cifreMoltiplicatore == 1 ? texts::kOneDigit : texts::kDigits.arg(code.cifreMoltiplicatore))
        .arg(code.operations());
}

/// The folder a new PDF file is proposed in: the documents folder where there is one.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

OutputDialogs& standardOutputDialogs()
{
    static StandardOutputDialogs dialogs;
    return dialogs;
}

ClassSheetsDialog::ClassSheetsDialog(const std::optional<SheetCode>& shown, OutputDialogs& dialogs, QWidget* parent,
                                     print::PrintLimits limits)
    : QDialog(parent)
    , dialogs_(dialogs)
    , limits_(limits)
{
    setWindowTitle(texts::kClassSheetsTitle);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    code_->setText(shown ? QString::fromStdString(shown->text()) : QString());
    checkCode();
}

void ClassSheetsDialog::buildLayout()
{
    count_ = new QSpinBox(this);
    count_->setObjectName(u"numeroSchede"_s);
    count_->setRange(1, print::ClassSet::kMaxSheets);
    count_->setValue(1);
    count_->setToolTip(texts::kSheetCountTip);

    code_ = new QLineEdit(this);
    code_->setObjectName(u"codice"_s);
    code_->setMaxLength(20);
    code_->setPlaceholderText(u"H28T5-CY4TQ"_s);
    codeMessage_ = new QLabel(this);
    codeMessage_->setObjectName(u"messaggioCodice"_s);
    codeMessage_->setWordWrap(true);
    codeMessage_->setMinimumWidth(260);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(code_);
    codeRow->addWidget(codeMessage_, 1);

    pupils_ = new QCheckBox(texts::kPupilsPages, this);
    pupils_->setObjectName(u"alunni"_s);
    pupils_->setChecked(true);
    solutions_ = new QCheckBox(texts::kSolutionPages, this);
    solutions_->setObjectName(u"soluzioni"_s);
    solutions_->setChecked(true);

    outcome_ = new QLabel(this);
    outcome_->setObjectName(u"esito"_s);
    outcome_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    preview_ = buttons->addButton(texts::kPreviewEllipsis, QDialogButtonBox::ActionRole);
    preview_->setObjectName(u"anteprima"_s);
    print_ = buttons->addButton(texts::kPrintEllipsis, QDialogButtonBox::ActionRole);
    print_->setObjectName(u"stampa"_s);
    savePdf_ = buttons->addButton(texts::kSavePdfEllipsis, QDialogButtonBox::ActionRole);
    savePdf_->setObjectName(u"salvaPdf"_s);
    QPushButton* close = buttons->addButton(texts::kClose, QDialogButtonBox::RejectRole);
    close->setObjectName(u"chiudi"_s);
    preview_->setDefault(true);

    auto* about = new QLabel(texts::kClassSheetsAbout, this);
    about->setWordWrap(true);
    auto* codeLabel = new QLabel(texts::kCodeLabel, this);
    codeLabel->setBuddy(code_);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(texts::kSheetCountLabel, count_);
    form->addRow(codeLabel, codeRow);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addLayout(form);
    layout->addWidget(pupils_);
    layout->addWidget(solutions_);
    layout->addWidget(outcome_);
    layout->addWidget(buttons);

    connect(code_, &QLineEdit::textChanged, this, &ClassSheetsDialog::checkCode);
    connect(pupils_, &QCheckBox::toggled, this, &ClassSheetsDialog::keepOneKindOfPage);
    connect(solutions_, &QCheckBox::toggled, this, &ClassSheetsDialog::keepOneKindOfPage);
    connect(preview_, &QPushButton::clicked, this, &ClassSheetsDialog::preview);
    connect(print_, &QPushButton::clicked, this, &ClassSheetsDialog::print);
    connect(savePdf_, &QPushButton::clicked, this, &ClassSheetsDialog::savePdf);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<print::ClassSet> ClassSheetsDialog::classSet() const
{
    const ParsedCode parsed = parseSheetCode(code_->text().toStdString());
    const std::optional<print::PageKinds> pages =
        print::ClassSet::pagesFor(pupils_->isChecked(), solutions_->isChecked());
    if (!parsed.code || !pages) {
        return std::nullopt;
    }
    return print::ClassSet{*parsed.code, count_->value(), *pages, {}, {}};
}

void ClassSheetsDialog::checkCode()
{
    const ParsedCode parsed = parseSheetCode(code_->text().toStdString());
    QPalette palette = codeMessage_->palette();
    palette.setColor(QPalette::WindowText,
                     parsed.code ? QApplication::palette().color(QPalette::WindowText) : QColor(192, 0, 0));
    codeMessage_->setPalette(palette);
    codeMessage_->setText(parsed.code ? settingsOf(*parsed.code) : codeProblem(parsed));
    for (QPushButton* output : {preview_, print_, savePdf_}) {
        output->setEnabled(parsed.code.has_value());
    }
    outcome_->clear();
}

void ClassSheetsDialog::keepOneKindOfPage()
{
    // The last kind of page left cannot be taken away too.
    pupils_->setEnabled(solutions_->isChecked());
    solutions_->setEnabled(pupils_->isChecked());
}

void ClassSheetsDialog::preview()
{
    const std::optional<print::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    // No printer is asked: the paper is the PDF's until a printer has been chosen.
    const print::Paper paper = knownPaper_.value_or(print::pdfPaper());
    std::vector<print::Page> pages;
    if (const std::optional<print::OutputFailure> failure =
            print::failureOf([&] { pages = print::classSetPages(*set, paper.printableArea()); })) {
        print::tellFailure(this, texts::kClassSheetsTitle, texts::kPreviewNotShown, *failure);
        return;
    }
    if (dialogs_.preview(pages, paper, this) == PreviewOutcome::PrintRequested) {
        print();
    }
}

bool ClassSheetsDialog::whileBusy(print::PrintService& service, const QString& text, const std::function<void()>& work)
{
    const std::optional<print::OutputFailure> failure = print::failureOf(
        [&] { forms::runWhileBusy(this, texts::kClassSheetsTitle, text, work, [&service] { service.cancel(); }); });
    if (failure) {
        print::tellFailure(this, texts::kClassSheetsTitle, texts::kSheetsNotPrinted, *failure);
    }
    return !failure;
}

void ClassSheetsDialog::print()
{
    const std::optional<print::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    // The print dialog reads the printers from the service on this thread: it opens only
    // once the service has shown, off this thread and quickly, that it answers.
    print::PrintService check(print::PrintLimits{std::min(limits_.step, kServiceCheck), kServiceCheck});
    if (!whileBusy(check, texts::kLookingForPrinters, [&check] { (void)check.checkPrinters(); })) {
        return;
    }
    const int pages =
        static_cast<int>(print::classSetPages(*set, knownPaper_.value_or(print::pdfPaper()).printableArea()).size());
    const std::optional<PrintChoice> choice = dialogs_.choosePrinter(pages, this);
    if (!choice) {
        return;
    }
    knownPaper_ = choice->paper;
    print::PrintService service(limits_);
    print::JobNotice notice = print::JobNotice::None;
    const print::PrintJob job{choice->printer.toStdString(), choice->paper,
                              [&set](const print::Paper& paper) { return print::classSetPdf(*set, paper); },
                              choice->options};
    if (!whileBusy(service, texts::kSendingSheets, [&] { notice = service.print(job); })) {
        return;
    }
    outcome_->setText(texts::kSheetsSent.arg(choice->printer));
    if (notice == print::JobNotice::PrinterPaused) {
        forms::MessageBox::show(this, forms::MessageIcon::Information, texts::kClassSheetsTitle,
                                texts::kSheetsQueuedOnPausedPrinter);
    }
}

void ClassSheetsDialog::savePdf()
{
    const std::optional<print::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    const QString proposed =
        QDir(documentsFolder()).filePath(texts::kPdfFileName.arg(QString::fromStdString(set->first.text())));
    const QString path = dialogs_.saveFileName(proposed, this);
    if (path.isEmpty()) {
        return;
    }
    if (const std::optional<print::OutputFailure> failure =
            print::failureOf([&] { writeWhole(path, print::classSetPdf(*set, print::pdfPaper())); })) {
        print::tellFailure(this, texts::kClassSheetsTitle, texts::kPdfNotSaved, *failure);
        return;
    }
    outcome_->setText(texts::kPdfSaved.arg(QDir::toNativeSeparators(path)));
}

}  // namespace virdamo::app
