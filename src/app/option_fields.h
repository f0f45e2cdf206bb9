#pragma once

#include "pages/class_options.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QWidget;

namespace virdamo::app {

/// The class dialog's fields for the options of one group, made from their declarations: a
/// list for a Choice, a tick box for a Switch, each named by the option's settings key. A
/// switch that needs another option stands on a row after it and is enabled only while that
/// option is not at its default. Options of another kind are left to the group.
class OptionFields final {
public:
    /// Adds the fields to form, in the order of the declarations; changed is called after
    /// each change the teacher makes.
    OptionFields(pages::OptionGroup group, QWidget* parent, QFormLayout* form, const std::function<void()>& changed);

    /// Puts what the fields show into set.
    void read(pages::ClassSet& set) const;
    /// Shows the values of set, announcing no change.
    void show(const pages::ClassSet& set);

private:
    struct Field {
        const pages::ClassOption* option = nullptr;
        QComboBox* list = nullptr;  ///< for a Choice
        QCheckBox* box = nullptr;   ///< for a Switch
    };

    void keepNeeds();

    std::vector<Field> fields_;
};

}  // namespace virdamo::app
