#include "app/pages_group.h"

#include "forms/message_box.h"
#include "output/output_failure.h"
#include "texts/texts.h"
#include "ui/failure_message.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <utility>

namespace virdamo::app {

using namespace Qt::StringLiterals;

PagesGroup::PagesGroup(std::function<QString()> chooseNamesFile, QWidget* parent)
    : QGroupBox(texts::kPagesGroup, parent)
    , chooseNamesFile_(std::move(chooseNamesFile))
{
    setObjectName(u"pagine"_s);
    namesShown_ = new QLabel(this);
    namesShown_->setObjectName(u"elencoNomi"_s);
    namesShown_->setWordWrap(true);
    auto* choose = new QPushButton(texts::kChooseNames, this);
    choose->setObjectName(u"nomiAlunni"_s);
    forget_ = new QPushButton(texts::kForgetNames, this);
    forget_->setObjectName(u"togliNomi"_s);
    save_ = new QPushButton(texts::kSaveNames, this);
    save_->setObjectName(u"salvaNomi"_s);
    save_->setToolTip(texts::kSaveNamesTip);
    auto* names = new QHBoxLayout;
    names->addWidget(namesShown_, 1);
    names->addWidget(choose);
    names->addWidget(forget_);
    names->addWidget(save_);
    namesList_ = new QTreeWidget(this);
    namesList_->setObjectName(u"nomi"_s);
    namesList_->setHeaderHidden(true);
    namesList_->setColumnCount(2);
    namesList_->setRootIsDecorated(false);
    namesList_->setMaximumHeight(namesList_->fontMetrics().height() * 7);

    auto* form = new QFormLayout(this);
    fields_.emplace(pages::OptionGroup::Pages, this, form, [this] { emit changed(); });
    // The pages a pupil's sheet takes stand beside the squares that decide them.
    pagesPerPupil_ = new QLabel(this);
    pagesPerPupil_->setObjectName(u"paginePerAlunno"_s);
    if (QWidget* squares = fields_->field(u"quadretti"_s)) {
        int row = 0;
        QFormLayout::ItemRole role{};
        form->getWidgetPosition(squares, &row, &role);
        const QFormLayout::TakeRowResult taken = form->takeRow(row);
        auto* beside = new QHBoxLayout;
        beside->addWidget(squares);
        beside->addWidget(pagesPerPupil_, 1);
        form->insertRow(row, taken.labelItem->widget(), beside);
        delete taken.fieldItem;
        delete taken.labelItem;
    }
    form->addRow(texts::kNamesLabel, names);
    form->addRow(namesList_);

    connect(choose, &QPushButton::clicked, this, &PagesGroup::chooseNames);
    connect(forget_, &QPushButton::clicked, this, &PagesGroup::forgetNames);
    connect(save_, &QPushButton::clicked, this, &PagesGroup::saveNames);
    connect(namesList_, &QTreeWidget::itemChanged, this, &PagesGroup::readSupported);
    showNames();
}

void PagesGroup::showPagesPerPupil(int pupils, int withSolutions)
{
    const auto pagesText = [](int n) { return n == 1 ? texts::kOnePage : texts::kPages.arg(n); };
    pagesPerPupil_->setText(texts::kPagesPerPupil.arg(pagesText(pupils), QString::number(withSolutions)));
}

void PagesGroup::readSupported()
{
    names_.supported.assign(names_.names.size(), false);
    for (int k = 0; k < namesList_->topLevelItemCount(); ++k) {
        names_.supported.at(static_cast<std::size_t>(k)) = namesList_->topLevelItem(k)->checkState(1) == Qt::Checked;
    }
    save_->setEnabled(!names_.file.isEmpty());
    emit changed();
}

void PagesGroup::saveNames()
{
    QByteArray bytes;
    for (const QString& line : names_.lines()) {
        bytes += line.toUtf8() + '\n';
    }
    if (const std::optional<output::OutputFailure> failure =
            output::failureOf([&] { output::writeWhole(names_.file, bytes); })) {
        ui::tellFailure(this, texts::kClassSheetsTitle, texts::kNamesNotSaved, *failure);
        return;
    }
    save_->setEnabled(false);
}

pages::PageOptions PagesGroup::options() const
{
    pages::ClassSet set;
    fields_->read(set);
    return set.options;
}

void PagesGroup::setChoices(const pages::PageOptions& options, const pages::NamesList& names)
{
    const QSignalBlocker quiet(this);
    pages::ClassSet set;
    set.options = options;
    fields_->show(set);
    names_ = names;
    showNames();
}

void PagesGroup::chooseNames()
{
    const QString path = chooseNamesFile_();
    if (path.isEmpty()) {
        return;
    }
    const pages::NamesRead read = pages::readNamesFile(path);
    if (!read.list) {
        forms::MessageBox::show(this, forms::MessageIcon::Warning, texts::kClassSheetsTitle,
                                texts::kNamesNotUsed + u'\n' + read.problem);
        return;
    }
    names_ = *read.list;
    showNames();
    emit changed();
}

void PagesGroup::forgetNames()
{
    names_ = {};
    showNames();
    emit changed();
}

void PagesGroup::showNames()
{
    namesShown_->setText(names_.names.empty()
                             ? texts::kNoNames
                             : texts::kNamesFrom.arg(names_.names.size()).arg(QFileInfo(names_.file).fileName()));
    forget_->setEnabled(!names_.names.empty());
    save_->setEnabled(false);
    save_->setVisible(!names_.names.empty());
    const QSignalBlocker quiet(namesList_);
    namesList_->clear();
    for (std::size_t k = 0; k < names_.names.size(); ++k) {
        auto* item = new QTreeWidgetItem(namesList_, {names_.names[k], texts::kSupported});
        item->setCheckState(1, names_.isSupported(k) ? Qt::Checked : Qt::Unchecked);
    }
    namesList_->resizeColumnToContents(0);
    namesList_->setVisible(!names_.names.empty());
}

}  // namespace virdamo::app
