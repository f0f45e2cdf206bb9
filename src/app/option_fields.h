#pragma once

#include "pages/class_options.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace virdamo::app {

/// The class dialog's fields for the options of one group, made from their declarations: a
/// list for a Choice, a tick box for a Switch, a number box for a Text of a number (its 0
/// shown as the default's words), a line for a Text printed on the pages, each named by the
/// option's settings key. A switch that needs another option stands on a row after it; a
/// field that needs an option of the same group is enabled only while that option is not at
/// its default. Other Text options are left to the group.
class OptionFields final {
public:
    /// Adds the fields to form, in the order of the declarations; changed is called after
    /// each change the teacher makes.
    OptionFields(pages::OptionGroup group, QWidget* parent, QFormLayout* form, const std::function<void()>& changed);

    /// Puts what the fields show into set.
    void read(pages::ClassSet& set) const;
    /// Shows the values of set, announcing no change.
    void show(const pages::ClassSet& set);
    /// The field of the option whose settings key is key; null for none.
    [[nodiscard]] QWidget* field(const QString& key) const;

private:
    struct Field {
        const pages::ClassOption* option = nullptr;
        QComboBox* list = nullptr;   ///< for a Choice
        QCheckBox* box = nullptr;    ///< for a Switch
        QSpinBox* number = nullptr;  ///< for a Text of a number
        QLineEdit* line = nullptr;   ///< for a Text printed on the pages

        [[nodiscard]] QWidget* widget() const;
    };

    void keepNeeds();

    std::vector<Field> fields_;
};

}  // namespace virdamo::app
