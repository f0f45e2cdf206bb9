#pragma once

#include "print/class_document.h"
#include "worksheet/sheet_code.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace virdamo::app {

/// The modal dialogs the class-sheets dialog opens, so that tests answer them without
/// showing any.
class OutputDialogs {
public:
    virtual ~OutputDialogs() = default;

    /// Lets the user choose printer, copies, pages (of pageCount) and paper; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, int pageCount, QWidget* parent) = 0;
    /// Shows the document on printer's paper until the user closes the preview; draw
    /// paints it on the printer the preview hands over.
    virtual void preview(QPrinter& printer, const std::function<void(QPrinter&)>& draw, QWidget* parent) = 0;
    /// Where to save the PDF file, proposing proposed; empty when cancelled. Replacing an
    /// existing file is confirmed here.
    [[nodiscard]] virtual QString saveFileName(const QString& proposed, QWidget* parent) = 0;

protected:
    OutputDialogs() = default;
    OutputDialogs(const OutputDialogs&) = default;
    OutputDialogs& operator=(const OutputDialogs&) = default;
};

/// The real dialogs: QPrintDialog, QPrintPreviewDialog and QFileDialog.
[[nodiscard]] OutputDialogs& standardOutputDialogs();

/// "Schede per la classe": N different sheets from the sheet on show (or from a code the
/// teacher types), as pupils' pages without results, solution pages or both, previewed,
/// printed through the print dialog or saved as one PDF file. Modal; it deletes itself
/// when closed.
class ClassSheetsDialog final : public QDialog {
    Q_OBJECT

public:
    /// shown: the code of the sheet on show, if any.
    ClassSheetsDialog(const std::optional<SheetCode>& shown, OutputDialogs& dialogs, QWidget* parent);

    /// The class set as the dialog stands; none while the code is not valid.
    [[nodiscard]] std::optional<print::ClassSet> classSet() const;

private:
    void buildLayout();
    void checkCode();
    void keepOneKindOfPage();
    void preview();
    void print();
    void savePdf();
    /// Draws set on printer; false, after telling the user why, when it could not.
    bool drawOn(QPrinter& printer, const print::ClassSet& set);
    void reportPrintFailure(const print::PrintFailure& failure);

    OutputDialogs& dialogs_;
    QSpinBox* count_ = nullptr;
    QLineEdit* code_ = nullptr;
    QLabel* codeMessage_ = nullptr;
    QCheckBox* pupils_ = nullptr;
    QCheckBox* solutions_ = nullptr;
    QLabel* outcome_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* savePdf_ = nullptr;
};

}  // namespace virdamo::app
