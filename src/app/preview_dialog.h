#pragma once

#include "output/pdf_page.h"
#include "pages/page.h"

#include <QDialog>

#include <vector>

class QLabel;
class QScrollArea;

namespace virdamo::app {

/// What the teacher did in the preview.
enum class PreviewOutcome { Closed, PrintRequested };

/// The pages of a document on their paper, one under the other, as they will come out: drawn
/// by the program's own page routine, with no printer and no print service involved, so it
/// opens at once whatever state printing is in. Zooms to the width of the window, to a
/// whole page, or in steps; "Stampa..." closes it asking for the print dialog.
class PreviewDialog final : public QDialog {
    Q_OBJECT

public:
    PreviewDialog(std::vector<pages::Page> pages, const output::Paper& paper, QWidget* parent);
    ~PreviewDialog() override;

    [[nodiscard]] PreviewOutcome outcome() const { return outcome_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    class PagesView;

    void zoomBy(double factor);
    void fitWidth();
    void fitPage();
    void showCurrentPage();

    PagesView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    PreviewOutcome outcome_ = PreviewOutcome::Closed;
    bool opened_ = false;
};

}  // namespace virdamo::app
