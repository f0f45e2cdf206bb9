#include "app/pages_group.h"

#include "forms/message_box.h"
#include "texts/texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <array>
#include <utility>

namespace virdamo::app {

using namespace Qt::StringLiterals;

namespace {

/// The sizes of squares offered, millimetres, in the order of the list; 0 for plain pages.
constexpr std::array<double, 4> kSquares{0.0, 10.0, 5.0, 4.0};

}  // namespace

PagesGroup::PagesGroup(std::function<QString()> chooseNamesFile, QWidget* parent)
    : QGroupBox(texts::kPagesGroup, parent)
    , chooseNamesFile_(std::move(chooseNamesFile))
{
    setObjectName(u"pagine"_s);
    squares_ = new QComboBox(this);
    squares_->setObjectName(u"quadretti"_s);
    squares_->addItems({texts::kPlainPages, texts::kSquares10, texts::kSquares5, texts::kSquares4});
    carries_ = new QCheckBox(texts::kShowCarries, this);
    carries_->setObjectName(u"mostraRiporti"_s);
    prova_ = new QCheckBox(texts::kProvaDelNove, this);
    prova_->setObjectName(u"provaDelNove"_s);
    heading_ = new QCheckBox(texts::kPupilsHeading, this);
    heading_->setObjectName(u"intestazione"_s);
    heading_->setChecked(true);

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

    auto* onSquares = new QHBoxLayout;
    onSquares->addWidget(carries_);
    onSquares->addWidget(prova_);
    onSquares->addStretch(1);
    auto* form = new QFormLayout(this);
    form->addRow(texts::kSquaresLabel, squares_);
    form->addRow(onSquares);
    form->addRow(heading_);
    form->addRow(texts::kNamesLabel, names);

    connect(squares_, &QComboBox::currentIndexChanged, this, [this] {
        keepOptionsOfSquares();
        emit changed();
    });
    for (QCheckBox* box : {carries_, prova_, heading_}) {
        connect(box, &QCheckBox::toggled, this, &PagesGroup::changed);
    }
    connect(choose, &QPushButton::clicked, this, &PagesGroup::chooseNames);
    connect(forget_, &QPushButton::clicked, this, &PagesGroup::forgetNames);
    keepOptionsOfSquares();
    showNames();
}

pages::PageOptions PagesGroup::options() const
{
    pages::PageOptions options;
    const double side = kSquares.at(static_cast<std::size_t>(std::max(0, squares_->currentIndex())));
    options.squareMillimetres = side > 0.0 ? std::optional<double>(side) : std::nullopt;
    options.showCarries = carries_->isChecked();
    options.provaDelNove = prova_->isChecked();
    options.pupilsHeading = heading_->isChecked();
    return options;
}

void PagesGroup::setChoices(const pages::PageOptions& options, const NamesList& names)
{
    const QSignalBlocker quiet(this);
    const double side = options.squareMillimetres.value_or(0.0);
    const auto at = std::find(kSquares.begin(), kSquares.end(), side);
    {
        const QSignalBlocker combo(squares_);
        squares_->setCurrentIndex(at == kSquares.end() ? 0 : static_cast<int>(at - kSquares.begin()));
    }
    for (const auto& [box, checked] :
         {std::pair{carries_, options.showCarries}, std::pair{prova_, options.provaDelNove},
          std::pair{heading_, options.pupilsHeading}}) {
        const QSignalBlocker quietBox(box);
        box->setChecked(checked);
    }
    names_ = names;
    keepOptionsOfSquares();
    showNames();
}

void PagesGroup::chooseNames()
{
    const QString path = chooseNamesFile_();
    if (path.isEmpty()) {
        return;
    }
    const NamesRead read = readNamesFile(path);
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

void PagesGroup::keepOptionsOfSquares()
{
    // Carries rows and the cross need squares to stand in.
    const bool squared = squares_->currentIndex() > 0;
    carries_->setEnabled(squared);
    prova_->setEnabled(squared);
}

}  // namespace virdamo::app
