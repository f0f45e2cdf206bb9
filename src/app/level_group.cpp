#include "app/level_group.h"

#include "texts/texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace virdamo::app {

using namespace Qt::StringLiterals;

LevelGroup::LevelGroup(QWidget* parent)
    : QGroupBox(texts::kLevelGroup, parent)
{
    setObjectName(u"difficolta"_s);
    auto* tables = new QHBoxLayout;
    for (std::size_t d = 0; d < tables_.size(); ++d) {
        tables_[d] = new QCheckBox(QString::number(d), this);
        tables_[d]->setObjectName(u"tabellina%1"_s.arg(d));
        tables_[d]->setChecked(true);
        tables->addWidget(tables_[d]);
        connect(tables_[d], &QCheckBox::toggled, this, &LevelGroup::levelChanged);
    }
    tables->addStretch(1);
    auto* form = new QFormLayout(this);
    count_ = new QLabel(this);
    count_->setObjectName(u"operazioniPossibili"_s);
    count_->setWordWrap(true);

    form->addRow(pages::classOption(u"tabelline"_s).label, tables);
    fields_.emplace(pages::OptionGroup::Level, this, form, [this] { emit levelChanged(); });
    form->addRow(count_);
}

Level LevelGroup::level() const
{
    Level level;
    for (std::size_t d = 0; d < tables_.size(); ++d) {
        level.tables[d] = tables_[d]->isChecked();
    }
    pages::ClassSet set;
    fields_->read(set);
    level.carries = set.first.level.carries;
    return level;
}

void LevelGroup::setLevel(const Level& level)
{
    const QSignalBlocker quiet(this);
    for (std::size_t d = 0; d < tables_.size(); ++d) {
        const QSignalBlocker box(tables_[d]);
        tables_[d]->setChecked(level.tables[d]);
    }
    pages::ClassSet set;
    set.first.level = level;
    fields_->show(set);
}

void LevelGroup::readShape(SheetCode& code) const
{
    pages::ClassSet set;
    fields_->read(set);
    code.multiplicandDecimals = set.first.multiplicandDecimals;
    code.multiplierDecimals = set.first.multiplierDecimals;
    code.kind = set.first.kind;
}

void LevelGroup::showShape(const SheetCode& code)
{
    const QSignalBlocker quiet(this);
    pages::ClassSet set;
    set.first = code;
    set.first.level = level();  // the level shown stays
    fields_->show(set);
    // A factor has fewer decimals than digits: more are not offered.
    const std::pair<const char*, int> digits[] = {{"decimaliMoltiplicando", code.multiplicandDigits},
                                                  {"decimaliMoltiplicatore", code.multiplierDigits}};
    for (const auto& [key, count] : digits) {
        auto* list = qobject_cast<QComboBox*>(fields_->field(QString::fromLatin1(key)));
        const auto* model = list ? qobject_cast<QStandardItemModel*>(list->model()) : nullptr;
        for (int i = 0; model && i < list->count(); ++i) {
            model->item(i)->setEnabled(list->itemData(i).toInt() < count);
        }
    }
}

bool LevelGroup::showCount(const Level& chosen, int multiplicandDigits, int multiplierDigits, int operations)
{
    const std::int32_t count = chosen.operationCount(multiplicandDigits, multiplierDigits);
    QString text = texts::kPossibleOperations.arg(QLocale().toString(count));
    if (count == 0) {
        text = texts::kNoPossibleOperation;
    } else if (chosen.repeatsOperations(multiplicandDigits, multiplierDigits, operations)) {
        text += u' ' + texts::kOperationsWillRepeat;
    }
    QPalette palette = count_->palette();
    palette.setColor(QPalette::WindowText,
                     count == 0 ? QColor(192, 0, 0) : QApplication::palette().color(QPalette::WindowText));
    count_->setPalette(palette);
    count_->setText(text);
    return count > 0;
}

}  // namespace virdamo::app
