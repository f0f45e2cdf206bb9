#include "app/class_sheets_dialog.h"

#include "app/level_group.h"
#include "app/pages_group.h"
#include "forms/busy_wait.h"
#include "forms/message_box.h"
#include "output/class_set_pdf.h"
#include "output/file_output.h"
#include "output/html_sheets.h"
#include "output/output_failure.h"
#include "pages/pupil_names.h"
#include "texts/messages.h"
#include "texts/texts.h"
#include "ui/failure_message.h"
#include "worksheet/random_source.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace virdamo::app {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

/// Longest wait for the print service to say it is there before the print dialog opens.
constexpr std::chrono::milliseconds kServiceCheck = 2s;

/// The paper printer stands on, portrait, with its printable area.
output::Paper paperOf(const QPrinter& printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    return output::Paper{layout.fullRect(QPageLayout::Millimeter).size(), layout.margins(QPageLayout::Millimeter)};
}

/// The folder a file is looked for or proposed in: the documents folder where there is one.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
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

    PreviewOutcome preview(const std::vector<pages::Page>& pages, const output::Paper& paper, QWidget* parent) override
    {
        PreviewDialog dialog(pages, paper, parent);
        dialog.exec();
        return dialog.outcome();
    }

    QString saveFileName(const QString& proposed, QWidget* parent) override
    {
        const QString suffix = QFileInfo(proposed).suffix();
        const bool html = suffix == u"html"_s;
        QFileDialog dialog(parent, html ? texts::kSaveHtmlTitle : texts::kSavePdfTitle,
                           QFileInfo(proposed).absolutePath(), html ? texts::kHtmlFilter : texts::kPdfFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(proposed);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                       : QString();
    }

    QString namesFileName(QWidget* parent) override
    {
        return QFileDialog::getOpenFileName(parent, texts::kNamesFileTitle, documentsFolder(), texts::kNamesFilter);
    }
};

/// The settings a code stands for, as the teacher chose them in the worksheet window.
QString settingsOf(const SheetCode& code)
{
    return texts::kCodeSettings.arg(code.multiplicandDigits)
        .arg(code.multiplierDigits == 1 ? texts::kOneDigit : texts::kDigits.arg(code.multiplierDigits))
        .arg(code.operations());
}

}  // namespace

OutputDialogs& standardOutputDialogs()
{
    static StandardOutputDialogs dialogs;
    return dialogs;
}

ClassSheetsDialog::ClassSheetsDialog(const std::optional<SheetCode>& shown, OutputDialogs& dialogs, QWidget* parent,
                                     output::PrintLimits limits)
    : QDialog(parent)
    , dialogs_(dialogs)
    , limits_(limits)
{
    setWindowTitle(texts::kClassSheetsTitle);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    applyPreferences(shown);
}

void ClassSheetsDialog::applyPreferences(const std::optional<SheetCode>& shown)
{
    QString problem;
    const ClassPreferences remembered = ClassPreferences::load(&problem);
    if (!problem.isEmpty()) {
        // Once the dialog is shown, over it.
        QMetaObject::invokeMethod(
            this,
            [this, problem] {
                forms::MessageBox::show(this, forms::MessageIcon::Warning, texts::kClassSheetsTitle, problem);
            },
            Qt::QueuedConnection);
    }
    loading_ = true;  // nothing to remember while the choices remembered are put back
    count_->setValue(remembered.sheets);
    pupils_->setChecked(remembered.pages != pages::PageKinds::Solutions);
    solutions_->setChecked(remembered.pages != pages::PageKinds::Pupils);
    pages_->setChoices(remembered.options, remembered.names);
    pages::ClassSet shownConventions;
    shownConventions.options = remembered.options;
    conventions_->show(shownConventions);
    showSheetCount();
    level_->setLevel(remembered.level);
    level_->showShape(remembered.shape);
    code_->setText(shown ? QString::fromStdString(shown->text()) : QString());
    checkCode();
    loading_ = false;
    // The set is always at the level the teacher chose last: a sheet on show of another
    // level gives way to a new set at hers.
    const auto shapeOf = [](const SheetCode& c) {
        return std::tuple(c.multiplicandDecimals, c.multiplierDecimals, c.kind);
    };
    if (shown && (shown->level != remembered.level || shapeOf(*shown) != shapeOf(remembered.shape))) {
        level_->setLevel(remembered.level);
        SheetCode shape = *shown;
        shape.multiplicandDecimals = std::min(remembered.shape.multiplicandDecimals, shown->multiplicandDigits - 1);
        shape.multiplierDecimals = std::min(remembered.shape.multiplierDecimals, shown->multiplierDigits - 1);
        shape.kind = remembered.shape.kind;
        level_->showShape(shape);
        // Once the dialog is shown, so that whoever opened it hears of the new set.
        QMetaObject::invokeMethod(this, &ClassSheetsDialog::chooseLevel, Qt::QueuedConnection);
    }
}

void ClassSheetsDialog::buildLayout()
{
    count_ = new QSpinBox(this);
    count_->setObjectName(u"numeroSchede"_s);
    count_->setRange(1, pages::ClassSet::kMaxSheets);
    count_->setValue(1);
    count_->setToolTip(texts::kSheetCountTip);

    code_ = new QLineEdit(this);
    code_->setObjectName(u"codice"_s);
    code_->setMaxLength(20);
    code_->setPlaceholderText(u"H28T5-CY4TQ"_s);
    // Room for the longest code, a level's: three groups of wide letters.
    code_->setMinimumWidth(code_->fontMetrics().horizontalAdvance(u"WWWWW-WWWWW-WWW"_s) + 12);
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

    level_ = new LevelGroup(this);
    auto* conventions = new QGroupBox(texts::kConventionsGroup, this);
    conventions->setObjectName(u"convenzioni"_s);
    conventions_.emplace(pages::OptionGroup::Conventions, conventions, new QFormLayout(conventions), [this] {
        showPagesPerPupil();
        rememberChoices();
    });
    pages_ = new PagesGroup([this] { return dialogs_.namesFileName(this); }, this);

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
    saveHtml_ = buttons->addButton(texts::kSaveHtmlEllipsis, QDialogButtonBox::ActionRole);
    saveHtml_->setObjectName(u"salvaHtml"_s);
    saveHtml_->setToolTip(texts::kSaveHtmlTip);
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
    layout->addWidget(level_);
    layout->addWidget(pages_);
    layout->addWidget(conventions);
    layout->addWidget(outcome_);
    layout->addWidget(buttons);

    connect(code_, &QLineEdit::textChanged, this, &ClassSheetsDialog::checkCode);
    connect(pupils_, &QCheckBox::toggled, this, &ClassSheetsDialog::keepOneKindOfPage);
    connect(solutions_, &QCheckBox::toggled, this, &ClassSheetsDialog::keepOneKindOfPage);
    connect(count_, &QSpinBox::valueChanged, this, &ClassSheetsDialog::rememberChoices);
    connect(level_, &LevelGroup::levelChanged, this, &ClassSheetsDialog::chooseLevel);
    connect(pages_, &PagesGroup::changed, this, [this] {
        showSheetCount();
        showPagesPerPupil();
        rememberChoices();
    });
    connect(preview_, &QPushButton::clicked, this, &ClassSheetsDialog::preview);
    connect(print_, &QPushButton::clicked, this, &ClassSheetsDialog::print);
    connect(savePdf_, &QPushButton::clicked, this, &ClassSheetsDialog::savePdf);
    connect(saveHtml_, &QPushButton::clicked, this, &ClassSheetsDialog::saveHtml);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<pages::ClassSet> ClassSheetsDialog::classSet() const
{
    const ParsedCode parsed = parseSheetCode(code_->text().toStdString());
    const std::optional<pages::PageKinds> pages =
        pages::ClassSet::pagesFor(pupils_->isChecked(), solutions_->isChecked());
    if (!parsed.code || !pages || !levelAllowsSome_) {
        return std::nullopt;
    }
    return pages::ClassSet{*parsed.code,  count_->value(),       *pages,
                           pageOptions(), pages_->names().names, pages_->names().supported};
}

pages::PageOptions ClassSheetsDialog::pageOptions() const
{
    pages::ClassSet set;
    set.options = pages_->options();
    conventions_->read(set);
    return set.options;
}

void ClassSheetsDialog::checkCode()
{
    const ParsedCode parsed = parseSheetCode(code_->text().toStdString());
    QPalette palette = codeMessage_->palette();
    palette.setColor(QPalette::WindowText,
                     parsed.code ? QApplication::palette().color(QPalette::WindowText) : QColor(192, 0, 0));
    codeMessage_->setPalette(palette);
    codeMessage_->setText(parsed.code ? settingsOf(*parsed.code) : texts::codeProblem(parsed));
    if (parsed.code) {
        // A code carries its level: what it was made at is what the group shows.
        level_->setLevel(parsed.code->level);
        level_->showShape(*parsed.code);
        levelAllowsSome_ = level_->showCount(parsed.code->level, parsed.code->multiplicandDigits,
                                             parsed.code->multiplierDigits, parsed.code->operations());
    }
    showOutputs();
    showPagesPerPupil();
    outcome_->clear();
}

void ClassSheetsDialog::showPagesPerPupil()
{
    pages::ClassSet set;
    if (const ParsedCode parsed = parseSheetCode(code_->text().toStdString()); parsed.code) {
        set.first = *parsed.code;
    }
    set.options = pageOptions();
    const QSizeF area = knownPaper_.value_or(output::pdfPaper()).printableArea();
    const int pupils = set.pagesPerSheet(pages::PageKind::Pupils, false, area);
    pages_->showPagesPerPupil(pupils, pupils + set.pagesPerSheet(pages::PageKind::Solutions, false, area));
}

void ClassSheetsDialog::chooseLevel()
{
    rememberChoices();
    const ParsedCode parsed = parseSheetCode(code_->text().toStdString());
    if (!parsed.code) {
        return;  // the digit counts come from the code: there is nothing to count yet
    }
    SheetCode first = *parsed.code;
    levelAllowsSome_ =
        level_->showCount(level_->level(), first.multiplicandDigits, first.multiplierDigits, first.operations());
    showOutputs();
    if (!levelAllowsSome_) {
        return;
    }
    // A new set at the new level: a new code, and its sheet 1 on show where the worksheet
    // window can show it: it writes whole numbers in columns only.
    first.level = level_->level();
    level_->readShape(first);
    first.multiplicandDecimals = std::min(first.multiplicandDecimals, first.multiplicandDigits - 1);
    first.multiplierDecimals = std::min(first.multiplierDecimals, first.multiplierDigits - 1);
    first.seed = ClockRandomSource().seed().value_or(first.seed + 1);
    code_->setText(QString::fromStdString(first.text()));
    if (!first.extended()) {
        emit sheetChosen(first);
    }
}

void ClassSheetsDialog::showOutputs()
{
    const bool ready = classSet().has_value();
    for (QPushButton* output : {preview_, print_, savePdf_, saveHtml_}) {
        output->setEnabled(ready);
    }
    // The page for the browser walks the steps of column operations, which the powers of
    // ten's rows do not have.
    saveHtml_->setEnabled(ready && classSet()->first.kind != SheetKind::PowersOfTen);
}

void ClassSheetsDialog::showSheetCount()
{
    // With names there is a sheet a name.
    const std::size_t names = pages_->names().names.size();
    if (names > 0) {
        const QSignalBlocker quiet(count_);
        count_->setValue(static_cast<int>(names));
    }
    count_->setEnabled(names == 0);
    count_->setToolTip(names == 0 ? texts::kSheetCountTip : texts::kSheetCountFromNames);
}

void ClassSheetsDialog::rememberChoices()
{
    if (loading_) {
        return;
    }
    const std::optional<pages::PageKinds> pages =
        pages::ClassSet::pagesFor(pupils_->isChecked(), solutions_->isChecked());
    SheetCode shape;
    level_->readShape(shape);
    ClassPreferences{count_->value(), pages.value_or(pages::PageKinds::Both), level_->level(), shape, pageOptions(),
                     pages_->names()}
        .save();
}

void ClassSheetsDialog::keepOneKindOfPage()
{
    // The last kind of page left cannot be taken away too.
    pupils_->setEnabled(solutions_->isChecked());
    solutions_->setEnabled(pupils_->isChecked());
    rememberChoices();
}

void ClassSheetsDialog::preview()
{
    const std::optional<pages::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    // No printer is asked: the paper is the PDF's until a printer has been chosen.
    const output::Paper paper = knownPaper_.value_or(output::pdfPaper());
    std::vector<pages::Page> pages;
    if (const std::optional<output::OutputFailure> failure =
            output::failureOf([&] { pages = pages::classSetPages(*set, paper.printableArea()); })) {
        ui::tellFailure(this, texts::kClassSheetsTitle, texts::kPreviewNotShown, *failure);
        return;
    }
    if (dialogs_.preview(pages, paper, this) == PreviewOutcome::PrintRequested) {
        print();
    }
}

bool ClassSheetsDialog::whileBusy(output::PrintService& service, const QString& text, const std::function<void()>& work)
{
    const std::optional<output::OutputFailure> failure = output::failureOf(
        [&] { forms::runWhileBusy(this, texts::kClassSheetsTitle, text, work, [&service] { service.cancel(); }); });
    if (failure) {
        ui::tellFailure(this, texts::kClassSheetsTitle, texts::kSheetsNotPrinted, *failure);
    }
    return !failure;
}

void ClassSheetsDialog::print()
{
    const std::optional<pages::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    // The print dialog reads the printers from the service on this thread: it opens only
    // once the service has shown, off this thread and quickly, that it answers.
    output::PrintService check(output::PrintLimits{std::min(limits_.step, kServiceCheck), kServiceCheck});
    if (!whileBusy(check, texts::kLookingForPrinters, [&check] { (void)check.checkPrinters(); })) {
        return;
    }
    // Counted from the layout, without drawing a page.
    const int pages = set->pageCount(knownPaper_.value_or(output::pdfPaper()).printableArea());
    const std::optional<PrintChoice> choice = dialogs_.choosePrinter(pages, this);
    if (!choice) {
        return;
    }
    knownPaper_ = choice->paper;
    output::PrintService service(limits_);
    pages::JobNotice notice = pages::JobNotice::None;
    const output::PrintJob job{choice->printer.toStdString(), choice->paper,
                               [&set](const output::Paper& paper) { return output::classSetPdf(*set, paper); },
                               choice->options};
    if (!whileBusy(service, texts::kSendingSheets, [&] { notice = service.print(job); })) {
        return;
    }
    outcome_->setText(texts::kSheetsSent.arg(choice->printer));
    if (notice == pages::JobNotice::PrinterPaused) {
        forms::MessageBox::show(this, forms::MessageIcon::Information, texts::kClassSheetsTitle,
                                texts::kSheetsQueuedOnPausedPrinter);
    }
}

void ClassSheetsDialog::savePdf()
{
    save(texts::kPdfFileName, texts::kPdfSaved, texts::kPdfNotSaved,
         [](const pages::ClassSet& set) { return output::classSetPdf(set, output::pdfPaper()); });
}

void ClassSheetsDialog::saveHtml()
{
    save(texts::kHtmlFileName, texts::kHtmlSaved, texts::kHtmlNotSaved, &output::classSetHtml);
}

void ClassSheetsDialog::save(const QString& fileName, const QString& saved, const QString& notSaved,
                             const std::function<QByteArray(const pages::ClassSet&)>& made)
{
    const std::optional<pages::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    const QString proposed = QDir(documentsFolder()).filePath(fileName.arg(QString::fromStdString(set->first.text())));
    const QString path = dialogs_.saveFileName(proposed, this);
    if (path.isEmpty()) {
        return;
    }
    if (const std::optional<output::OutputFailure> failure =
            output::failureOf([&] { output::writeWhole(path, made(*set)); })) {
        ui::tellFailure(this, texts::kClassSheetsTitle, notSaved, *failure);
        return;
    }
    outcome_->setText(saved.arg(QDir::toNativeSeparators(path)));
}

}  // namespace virdamo::app
