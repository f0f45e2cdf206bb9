#pragma once

#include "app/class_preferences.h"
#include "app/option_fields.h"
#include "app/preview_dialog.h"
#include "output/print_service.h"
#include "pages/class_document.h"
#include "worksheet/sheet_code.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace virdamo::app {

class LevelGroup;
class PagesGroup;

/// The printer, copies, pages and paper the teacher chose in the print dialog.
struct PrintChoice {
    QString printer;
    output::JobOptions options;
    output::Paper paper;
};

/// The modal dialogs the class-sheets dialog opens, so that tests answer them without
/// showing any.
class OutputDialogs {
public:
    virtual ~OutputDialogs() = default;

    /// Lets the user choose printer, copies, pages (of pageCount) and paper; none when
    /// cancelled. Called only once the print service has answered.
    [[nodiscard]] virtual std::optional<PrintChoice> choosePrinter(int pageCount, QWidget* parent) = 0;
    /// Shows pages on paper until the user closes the preview or asks to print.
    virtual PreviewOutcome preview(const std::vector<pages::Page>& pages, const output::Paper& paper,
                                   QWidget* parent) = 0;
    /// Where to save the file, proposing proposed, whose suffix says the kind: PDF or HTML;
    /// empty when cancelled. Replacing an existing file is confirmed here.
    [[nodiscard]] virtual QString saveFileName(const QString& proposed, QWidget* parent) = 0;
    /// The names file to read the pupils' names from; empty when cancelled.
    [[nodiscard]] virtual QString namesFileName(QWidget* parent) = 0;

protected:
    OutputDialogs() = default;
    OutputDialogs(const OutputDialogs&) = default;
    OutputDialogs& operator=(const OutputDialogs&) = default;
};

/// The real dialogs: Qt's print dialog, the program's preview and Qt's file dialogs.
[[nodiscard]] OutputDialogs& standardOutputDialogs();

/// "Schede per la classe": N different sheets from the sheet on show (or from a code the
/// teacher types), at the level of difficulty she chooses, as pupils' pages without results,
/// solution pages or both, plain or on squares, previewed, printed through the print
/// dialog or saved as one PDF file. It remembers its choices, but the code, between runs.
/// Modal; it deletes itself when closed. Nothing it does waits on the print service on the
/// windows' thread: the service is asked off it, within limits, behind a busy message that
/// can be cancelled.
class ClassSheetsDialog final : public QDialog {
    Q_OBJECT

public:
    /// shown: the code of the sheet on show, if any.
    ClassSheetsDialog(const std::optional<SheetCode>& shown, OutputDialogs& dialogs, QWidget* parent,
                      output::PrintLimits limits = {});

    /// The class set as the dialog stands; none while the code is not valid.
    [[nodiscard]] std::optional<pages::ClassSet> classSet() const;

signals:
    /// A level was chosen: code is the new set's first sheet, for the worksheet window to
    /// show, so that what "STAMPA" prints is sheet 1 of the set.
    void sheetChosen(const virdamo::SheetCode& code);

private:
    void buildLayout();
    /// The pages' options as the "Pagine" and "Convenzioni" groups show them.
    [[nodiscard]] pages::PageOptions pageOptions() const;
    void applyPreferences(const std::optional<SheetCode>& shown);
    void checkCode();
    void chooseLevel();
    void keepOneKindOfPage();
    void rememberChoices();
    void showOutputs();
    void showSheetCount();
    /// Shows the pages a pupil's sheet takes, counted without drawing them.
    void showPagesPerPupil();
    void preview();
    void print();
    void savePdf();
    void saveHtml();
    /// Saves the class set as made makes it, in a file of fileName's kind, told by saved or notSaved.
    void save(const QString& fileName, const QString& saved, const QString& notSaved,
              const std::function<QByteArray(const pages::ClassSet&)>& made);
    /// Runs work (which talks to service) off this thread behind the busy message text;
    /// false, after telling the user why, when it failed or was cancelled.
    bool whileBusy(output::PrintService& service, const QString& text, const std::function<void()>& work);

    OutputDialogs& dialogs_;
    output::PrintLimits limits_;
    /// The paper of the printer last chosen: the preview shows it from then on.
    std::optional<output::Paper> knownPaper_;
    /// False while the level chosen allows no operation with the code's digit counts.
    bool levelAllowsSome_ = true;
    bool loading_ = false;
    QSpinBox* count_ = nullptr;
    QLineEdit* code_ = nullptr;
    QLabel* codeMessage_ = nullptr;
    QCheckBox* pupils_ = nullptr;
    QCheckBox* solutions_ = nullptr;
    LevelGroup* level_ = nullptr;
    PagesGroup* pages_ = nullptr;
    std::optional<OptionFields> conventions_;
    QLabel* outcome_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* savePdf_ = nullptr;
    QPushButton* saveHtml_ = nullptr;
};

}  // namespace virdamo::app
