#include "app/option_fields.h"

#include "pages/pupil_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QValidator>

#include <algorithm>
#include <utility>

namespace virdamo::app {

using namespace Qt::StringLiterals;
using pages::ClassOption;

namespace {

/// Takes only what the pages can print: a character no face draws is not typed in.
class PrintableLine final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override
    {
        return pages::undrawableCharacter(input) ? Invalid : Acceptable;
    }
};

}  // namespace

OptionFields::OptionFields(pages::OptionGroup group, QWidget* parent, QFormLayout* form,
                           const std::function<void()>& changed)
{
    QHBoxLayout* needing = nullptr;  // the row of the switches that need the option before them
    for (const ClassOption* option : pages::optionsOf(group)) {
        const bool ownText = option->kind == ClassOption::Kind::Text && option->most == 0 && !option->line;
        if (option->label.isEmpty() || option->settingsKey.isEmpty() || ownText) {
            continue;
        }
        Field field{option};
        if (option->kind == ClassOption::Kind::Text) {
            if (option->line) {
                field.line = new QLineEdit(parent);
                field.line->setMaxLength(pages::kMaxLineCharacters);
                field.line->setPlaceholderText(option->defaultWords);
                field.line->setValidator(new PrintableLine(field.line));
                QObject::connect(field.line, &QLineEdit::textEdited, parent, [changed] { changed(); });
            } else {
                field.number = new QSpinBox(parent);
                field.number->setRange(0, option->most);
                field.number->setSpecialValueText(option->defaultWords);
                QObject::connect(field.number, &QSpinBox::valueChanged, parent, [changed] { changed(); });
            }
            field.widget()->setObjectName(option->settingsKey);
            form->addRow(option->label, field.widget());
            needing = nullptr;
        } else if (option->kind == ClassOption::Kind::Choice) {
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

QWidget* OptionFields::Field::widget() const
{
    if (list) return list;
    if (box) return box;
    if (number) return number;
    return line;
}

void OptionFields::read(pages::ClassSet& set) const
{
    for (const Field& field : fields_) {
        QString value;
        if (field.list) {
            value = field.list->currentData().toString();
        } else if (field.box) {
            value = pages::switchText(field.box->isChecked());
        } else if (field.number) {
            value = QString::number(field.number->value());
        } else {
            value = field.line->text();
        }
        (void)field.option->set(value, set);
    }
}

QWidget* OptionFields::field(const QString& key) const
{
    const auto at =
        std::find_if(fields_.begin(), fields_.end(), [&](const Field& f) { return f.option->settingsKey == key; });
    return at == fields_.end() ? nullptr : at->widget();
}

void OptionFields::show(const pages::ClassSet& set)
{
    for (const Field& field : fields_) {
        const QString value = field.option->get(set);
        const QSignalBlocker quiet(field.widget());
        if (field.list) {
            field.list->setCurrentIndex(std::max(0, field.list->findData(value)));
        } else if (field.box) {
            field.box->setChecked(value == pages::switchText(true));
        } else if (field.number) {
            field.number->setValue(value.toInt());
        } else {
            field.line->setText(value);
        }
    }
    keepNeeds();
}

void OptionFields::keepNeeds()
{
    pages::ClassSet set;
    read(set);
    const auto shown = [this](const QString& name) {
        return std::any_of(fields_.begin(), fields_.end(), [&](const Field& f) { return f.option->name == name; });
    };
    for (const Field& field : fields_) {
        // An option of another group is the dialog's to follow.
        if (!field.option->needs.isEmpty() && shown(field.option->needs)) {
            field.widget()->setEnabled(!pages::classOption(field.option->needs).isDefault(set));
        }
    }
}

}  // namespace virdamo::app
