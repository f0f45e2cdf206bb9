#include "app/pages_group.h"

#include "forms/message_box.h"
#include "texts/texts.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

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
    auto* names = new QHBoxLayout;
    names->addWidget(namesShown_, 1);
    names->addWidget(choose);
    names->addWidget(forget_);

    auto* form = new QFormLayout(this);
    fields_.emplace(pages::OptionGroup::Pages, this, form, [this] { emit changed(); });
    form->addRow(texts::kNamesLabel, names);

    connect(choose, &QPushButton::clicked, this, &PagesGroup::chooseNames);
    connect(forget_, &QPushButton::clicked, this, &PagesGroup::forgetNames);
    showNames();
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
}

}  // namespace virdamo::app
