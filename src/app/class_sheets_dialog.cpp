#include "app/class_sheets_dialog.h"

#include "app/class_set_output.h"

#include "forms/message_box.h"
#include "print/printer.h"
#include "print/stampa.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <exception>
#include <new>

namespace virdamo::app {

namespace {

const QString kTitle = QStringLiteral("Schede per la classe");

class StandardOutputDialogs final : public OutputDialogs {
public:
    bool choosePrinter(QPrinter& printer, int pageCount, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(kTitle);
        dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies
                          | QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(1, pageCount);
        return dialog.exec() == QDialog::Accepted;
    }

    void preview(QPrinter& printer, const std::function<void(QPrinter&)>& draw, QWidget* parent) override
    {
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Anteprima - ") + kTitle);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&draw](QPrinter* shown) { draw(*shown); });
        dialog.exec();
    }

    QString saveFileName(const QString& proposed, QWidget* parent) override
    {
        QFileDialog dialog(parent, QStringLiteral("Salva le schede in PDF"), proposed,
                           QStringLiteral("Documenti PDF (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.selectFile(proposed);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                       : QString();
    }
};

/// The settings a code stands for, as the teacher chose them in the worksheet window.
QString settingsOf(const SheetCode& code)
{
    return QStringLiteral("Moltiplicando di %1 cifre, moltiplicatore di %2, %3 operazioni.")
        .arg(code.cifreMoltiplicando)
        .arg(code.cifreMoltiplicatore == 1 ? QStringLiteral("1 cifra")
                                           : QStringLiteral("%1 cifre").arg(code.cifreMoltiplicatore))
        .arg(code.ultimaOperazione + 1);
}

}  // namespace

OutputDialogs& standardOutputDialogs()
{
    static StandardOutputDialogs dialogs;
    return dialogs;
}

ClassSheetsDialog::ClassSheetsDialog(const std::optional<SheetCode>& shown, OutputDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , dialogs_(dialogs)
{
    setWindowTitle(kTitle);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    code_->setText(shown ? QString::fromStdString(shown->text()) : QString());
    checkCode();
}

void ClassSheetsDialog::buildLayout()
{
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("numeroSchede"));
    count_->setRange(1, print::kMaxClassSheets);
    count_->setValue(1);
    count_->setToolTip(QStringLiteral("Ogni scheda è diversa; la prima è la scheda del codice."));

    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("codice"));
    code_->setMaxLength(20);
    code_->setPlaceholderText(QStringLiteral("H28T5-CY4TQ"));
    codeMessage_ = new QLabel(this);
    codeMessage_->setObjectName(QStringLiteral("messaggioCodice"));
    codeMessage_->setWordWrap(true);
    codeMessage_->setMinimumWidth(260);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(code_);
    codeRow->addWidget(codeMessage_, 1);

    pupils_ = new QCheckBox(QStringLiteral("Schede per gli alunni (senza risultati)"), this);
    pupils_->setObjectName(QStringLiteral("alunni"));
    pupils_->setChecked(true);
    solutions_ = new QCheckBox(QStringLiteral("Soluzioni"), this);
    solutions_->setObjectName(QStringLiteral("soluzioni"));
    solutions_->setChecked(true);

    outcome_ = new QLabel(this);
    outcome_->setObjectName(QStringLiteral("esito"));
    outcome_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    preview_ = buttons->addButton(QStringLiteral("Anteprima..."), QDialogButtonBox::ActionRole);
    preview_->setObjectName(QStringLiteral("anteprima"));
    print_ = buttons->addButton(QStringLiteral("Stampa..."), QDialogButtonBox::ActionRole);
    print_->setObjectName(QStringLiteral("stampa"));
    savePdf_ = buttons->addButton(QStringLiteral("Salva PDF..."), QDialogButtonBox::ActionRole);
    savePdf_->setObjectName(QStringLiteral("salvaPdf"));
    QPushButton* close = buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("chiudi"));
    preview_->setDefault(true);

    auto* about = new QLabel(QString::fromUtf8("Ogni scheda è diversa; la scheda 1 è quella del codice. Il "
                                               "documento ha prima le pagine per gli alunni, poi le soluzioni."),
                             this);
    about->setWordWrap(true);
    auto* codeLabel = new QLabel(QStringLiteral("&Codice della scheda:"), this);
    codeLabel->setBuddy(code_);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("&Numero di schede:"), count_);
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
    if (!parsed.code) {
        return std::nullopt;
    }
    return print::ClassSet{*parsed.code, count_->value(), pupils_->isChecked(), solutions_->isChecked()};
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
    if (const std::optional<print::ClassSet> set = classSet()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(kTitle);
        dialogs_.preview(
            printer, [this, &set](QPrinter& shown) { (void)drawOn(shown, *set); }, this);
    }
}

void ClassSheetsDialog::print()
{
    const std::optional<print::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kTitle);
    const int pages = set->count * ((set->pupils ? 1 : 0) + (set->solutions ? 1 : 0));
    if (dialogs_.choosePrinter(printer, pages, this) && drawOn(printer, *set)) {
        outcome_->setText(QStringLiteral("Schede inviate alla stampante %1.").arg(printer.printerName()));
    }
}

bool ClassSheetsDialog::drawOn(QPrinter& printer, const print::ClassSet& set)
{
    try {
        print::printClassSet(set, printer);
        return true;
    } catch (const print::PrintFailure& failure) {
        reportPrintFailure(failure);
    } catch (const std::bad_alloc&) {
        reportPrintFailure(print::PrintFailure(print::FailureReason::OutOfMemory, std::string()));
    }
    return false;
}

void ClassSheetsDialog::savePdf()
{
    const std::optional<print::ClassSet> set = classSet();
    if (!set) {
        return;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed =
        QDir(folder.isEmpty() ? QDir::homePath() : folder)
            .filePath(QStringLiteral("schede-%1.pdf").arg(QString::fromStdString(set->first.text())));
    const QString path = dialogs_.saveFileName(proposed, this);
    if (path.isEmpty()) {
        return;
    }
    QByteArray pdf;
    try {
        pdf = print::classSetPdf(*set, print::pdfPaper());
    } catch (const print::PrintFailure& failure) {
        forms::MessageBox::show(
            this, forms::MessageIcon::Warning, kTitle,
            QStringLiteral("Il PDF non è stato salvato.\n")
                + print::failureReasonText(failure.reason(), QString::fromStdString(failure.serviceText())));
        return;
    }
    if (const std::optional<QString> problem = writeWhole(path, pdf)) {
        forms::MessageBox::show(this, forms::MessageIcon::Warning, kTitle,
                                QStringLiteral("Il PDF non è stato salvato.\n") + *problem);
        return;
    }
    outcome_->setText(QStringLiteral("PDF salvato: %1").arg(QDir::toNativeSeparators(path)));
}

void ClassSheetsDialog::reportPrintFailure(const print::PrintFailure& failure)
{
    forms::MessageBox::show(
        this, forms::MessageIcon::Warning, kTitle,
        QStringLiteral("Stampa non riuscita: le schede non sono state stampate.\n")
            + print::failureReasonText(failure.reason(), QString::fromStdString(failure.serviceText())));
}

}  // namespace virdamo::app
