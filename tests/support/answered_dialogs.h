#pragma once

#include "app/class_sheets_dialog.h"

#include <optional>
#include <vector>

namespace virdamo::test {

/// The class-sheets dialog's print, preview and file dialogs, answered by the test.
class AnsweredDialogs final : public app::OutputDialogs {
public:
    std::optional<app::PrintChoice> choice;  ///< the print dialog's answer; none cancels
    int printDialogs = 0;
    int previews = 0;
    std::vector<pages::Page> previewed;
    std::optional<output::Paper> previewPaper;
    QString saveAs;  ///< empty cancels
    QString proposed;
    QString namesFile;  ///< empty cancels

    std::optional<app::PrintChoice> choosePrinter(int /*pageCount*/, QWidget* /*parent*/) override
    {
        ++printDialogs;
        return choice;
    }
    app::PreviewOutcome preview(const std::vector<pages::Page>& pages, const output::Paper& paper,
                                QWidget* /*parent*/) override
    {
        ++previews;
        previewed = pages;
        previewPaper = paper;
        return app::PreviewOutcome::Closed;
    }
    QString saveFileName(const QString& proposedName, QWidget* /*parent*/) override
    {
        proposed = proposedName;
        return saveAs;
    }
    QString namesFileName(QWidget* /*parent*/) override { return namesFile; }
};

}  // namespace virdamo::test
