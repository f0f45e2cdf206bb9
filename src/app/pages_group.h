#pragma once

#include "app/option_fields.h"
#include "output/file_output.h"
#include "pages/page_options.h"
#include "pages/pupil_names.h"
#include "texts/messages.h"

#include <QGroupBox>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace virdamo::app {

/// "Pagine": how the pages look, a field for each option of the pages, with the pages each
/// pupil's sheet takes beside the squares; the pupils' names, each with a tick box for the
/// supported version.
class PagesGroup final : public QGroupBox {
    Q_OBJECT

public:
    /// chooseNamesFile asks the teacher for a names file; empty when she cancels.
    PagesGroup(std::function<QString()> chooseNamesFile, QWidget* parent);

    [[nodiscard]] pages::PageOptions options() const;
    [[nodiscard]] const pages::NamesList& names() const { return names_; }
    /// Shows options and names without announcing a change.
    void setChoices(const pages::PageOptions& options, const pages::NamesList& names);
    /// Shows how many pages a pupil's sheet takes alone and with its solutions.
    void showPagesPerPupil(int pupils, int withSolutions);

signals:
    /// The teacher changed the look of the pages or the names.
    void changed();

private:
    void chooseNames();
    void forgetNames();
    void saveNames();
    void showNames();
    void readSupported();

    std::function<QString()> chooseNamesFile_;
    pages::NamesList names_;
    std::optional<OptionFields> fields_;
    QLabel* namesShown_ = nullptr;
    QLabel* pagesPerPupil_ = nullptr;
    QTreeWidget* namesList_ = nullptr;
    QPushButton* forget_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace virdamo::app
