#include "app/option_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

namespace virdamo::app {

using namespace Qt::StringLiterals;
using pages::ClassOption;

OptionFields::OptionFields(pages::OptionGroup group, QWidget* parent, QFormLayout* form,
                           const std::function<void()>& changed)
{
    QHBoxLayout* needing = nullptr;  // the row of the switches that need the option before them
    for (const ClassOption* option : pages::optionsOf(group)) {
        if (option->label.isEmpty() || option->settingsKey.isEmpty() || option->kind == ClassOption::Kind::Text) {
            continue;
        }
        Field field{option};
        if (option->kind == ClassOption::Kind::Choice) {
            field.list = new QComboBox(parent);
            field.list->setObjectName(option->settingsKey);
            for (const pages::OptionValue& value : option->values) {
                field.list->addItem(value.label, value.text);
            }
            form->addRow(option->label, field.list);
            needing = nullptr;
            QObject::connect(field.list, &QComboBox::currentIndexChanged, parent, [this, changed] {
                keepNeeds();
                changed();
            });
        } else {
            field.box = new QCheckBox(option->label, parent);
            field.box->setObjectName(option->settingsKey);
            if (option->needs.isEmpty()) {
                form->addRow(field.box);
            } else {
                if (needing == nullptr) {
                    needing = new QHBoxLayout;
                    needing->addStretch(1);
                    form->addRow(needing);
                }
                needing->insertWidget(needing->count() - 1, field.box);
            }
            QObject::connect(field.box, &QCheckBox::toggled, parent, [changed] { changed(); });
        }
        fields_.push_back(field);
    }
    show(pages::ClassSet{});
}

void OptionFields::read(pages::ClassSet& set) const
{
    for (const Field& field : fields_) {
        (void)field.option->set(
            field.list ? field.list->currentData().toString() : pages::switchText(field.box->isChecked()), set);
    }
}

void OptionFields::show(const pages::ClassSet& set)
{
    for (const Field& field : fields_) {
        const QString value = field.option->get(set);
        if (field.list) {
            const QSignalBlocker quiet(field.list);
            field.list->setCurrentIndex(std::max(0, field.list->findData(value)));
        } else {
            const QSignalBlocker quiet(field.box);
            field.box->setChecked(value == pages::switchText(true));
        }
    }
    keepNeeds();
}

void OptionFields::keepNeeds()
{
    pages::ClassSet set;
    read(set);
    for (const Field& field : fields_) {
        if (field.box && !field.option->needs.isEmpty()) {
            field.box->setEnabled(!pages::classOption(field.option->needs).isDefault(set));
        }
    }
}

}  // namespace virdamo::app
