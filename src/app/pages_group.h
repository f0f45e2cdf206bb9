#pragma once

#include "app/class_set_output.h"
#include "pages/page_options.h"

#include <QGroupBox>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace virdamo::app {

/// "Pagine": how the pages look: plain, or squared paper of 10, 5 or 4 mm with, on squares,
/// the carries and the prova del nove; the heading of pupils' pages; the pupils' names.
class PagesGroup final : public QGroupBox {
    Q_OBJECT

public:
    /// chooseNamesFile asks the teacher for a names file; empty when she cancels.
    PagesGroup(std::function<QString()> chooseNamesFile, QWidget* parent);

    [[nodiscard]] pages::PageOptions options() const;
    [[nodiscard]] const NamesList& names() const { return names_; }
    /// Shows options and names without announcing a change.
    void setChoices(const pages::PageOptions& options, const NamesList& names);

signals:
    /// The teacher changed the look of the pages or the names.
    void changed();

private:
    void chooseNames();
    void forgetNames();
    void showNames();
    void keepOptionsOfSquares();

    std::function<QString()> chooseNamesFile_;
    NamesList names_;
    QComboBox* squares_ = nullptr;
    QCheckBox* carries_ = nullptr;
    QCheckBox* prova_ = nullptr;
    QCheckBox* heading_ = nullptr;
    QLabel* namesShown_ = nullptr;
    QPushButton* forget_ = nullptr;
};

}  // namespace virdamo::app
