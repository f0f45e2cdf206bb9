// The two windows' lifecycle as the user drives it, on the offscreen platform.

#include "app/app_icon.h"
#include "app/application.h"
#include "app/frm_inizio.h"
#include "forms/form_slot.h"
#include "qt_helpers.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

namespace virdamo::app {
namespace {

using ui::FrmDue;
using ui::LabelArray;

template <typename T>
int liveWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::allWidgets()) {
        count += qobject_cast<T*>(w) != nullptr ? 1 : 0;
    }
    return count;
}

using virdamo::test::deleteUnloadedWindows;

void click(QWidget* window, const QString& button)
{
    ASSERT_TRUE(virdamo::test::clickButton(window, button)) << button.toStdString();
}

class ApplicationTest : public testing::Test {
protected:
    void SetUp() override
    {
        app_ =
            std::make_unique<Application>(state_, random_, [this](QWidget* parent) { printedFrom_.push_back(parent); });
        ended_ = std::make_unique<QSignalSpy>(&app_->lifecycle(), &forms::Lifecycle::ended);
        app_->start();
    }

    void TearDown() override
    {
        app_.reset();
        deleteUnloadedWindows();
        EXPECT_EQ(liveWindows<FrmInizio>() + liveWindows<FrmDue>(), 0) << "a window outlived the application";
    }

    [[nodiscard]] FrmInizio* start() const { return app_->frmInizio().formAs<FrmInizio>(); }
    [[nodiscard]] FrmDue* sheet() const { return app_->frmDue().formAs<FrmDue>(); }
    [[nodiscard]] int loaded() const { return app_->lifecycle().loadedCount(); }

    void enter() { click(start(), QStringLiteral("Command1")); }

    Modulo1 state_;
    ClockRandomSource random_;
    std::vector<QWidget*> printedFrom_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<QSignalSpy> ended_;
};

TEST_F(ApplicationTest, StartShowsTheStartWindowAlone)
{
    ASSERT_NE(start(), nullptr);
    EXPECT_TRUE(start()->isVisible());
    EXPECT_FALSE(app_->frmDue().isLoaded());
    EXPECT_EQ(liveWindows<FrmDue>(), 0);
    EXPECT_EQ(loaded(), 1);
    EXPECT_EQ(state_.CifreMoltiplicando, 0) << "the worksheet window's load must not have run";
}

/// A way of ending the program from the start window.
struct EndingPath {
    const char* name;
    bool worksheetOpen;
    bool byTitleBar;  ///< closing the start window instead of pressing "E S C I"
};

void PrintTo(const EndingPath& path, std::ostream* os)
{
    *os << path.name;
}

class Ending : public ApplicationTest, public testing::WithParamInterface<EndingPath> {};

TEST_P(Ending, UnloadsBothWindowsAndEndsOnce)
{
    const EndingPath& path = GetParam();
    if (path.worksheetOpen) {
        enter();
        ASSERT_TRUE(app_->frmDue().isLoaded());
    }
    const QPointer<QWidget> startWindow = start();
    const QPointer<QWidget> sheetWindow = sheet();

    if (path.byTitleBar) {
        start()->close();
    } else {
        click(start(), QStringLiteral("Command2"));
    }

    EXPECT_FALSE(app_->frmInizio().isLoaded());
    EXPECT_FALSE(app_->frmDue().isLoaded());
    EXPECT_EQ(loaded(), 0);
    EXPECT_EQ(ended_->count(), 1);
    EXPECT_FALSE(startWindow->isVisible());
    if (path.worksheetOpen) {
        EXPECT_FALSE(sheetWindow->isVisible());
    } else {
        // Never created, not even for a moment: nothing of it waits to be deleted.
        EXPECT_EQ(liveWindows<FrmDue>(), 0);
        EXPECT_EQ(state_.UltimaOperazione, 0);
    }

    deleteUnloadedWindows();
    EXPECT_TRUE(startWindow.isNull());
    EXPECT_TRUE(sheetWindow.isNull());
    EXPECT_EQ(ended_->count(), 1);
}

INSTANTIATE_TEST_SUITE_P(StartWindow, Ending,
                         testing::Values(EndingPath{"EsciAlone", false, false}, EndingPath{"CloseAlone", false, true},
                                         EndingPath{"EsciWithWorksheet", true, false},
                                         EndingPath{"CloseWithWorksheet", true, true}),
                         [](const testing::TestParamInfo<EndingPath>& param) { return std::string(param.param.name); });

TEST_F(ApplicationTest, ClosingTheWorksheetWindowLeavesTheStartWindow)
{
    enter();
    sheet()->close();

    EXPECT_FALSE(app_->frmDue().isLoaded());
    EXPECT_TRUE(app_->frmInizio().isLoaded());
    EXPECT_TRUE(start()->isVisible());
    EXPECT_EQ(loaded(), 1);
    EXPECT_EQ(ended_->count(), 0);
}

TEST_F(ApplicationTest, SecondEnterOnlyBringsTheWorksheetWindowBack)
{
    enter();
    const QPointer<FrmDue> first = sheet();
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());
    click(first, QStringLiteral("Opt1(1)"));
    click(first, QStringLiteral("Command1"));
    const QString shownFirst = first->place(LabelArray::Label1, 0).caption();
    ASSERT_FALSE(shownFirst.isEmpty());

    enter();

    EXPECT_EQ(sheet(), first.data());
    EXPECT_EQ(loaded(), 2);
    EXPECT_EQ(state_.CifreMoltiplicando, 3) << "the load ran again and reset the settings";
    EXPECT_EQ(first->place(LabelArray::Label1, 0).caption(), shownFirst) << "the sheet on show was emptied";
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(start()->isVisible()) << "the start window stays open behind";
}

TEST_F(ApplicationTest, EsciThenEnterOpensAFreshWorksheetWindow)
{
    enter();
    click(sheet(), QStringLiteral("Opt1(2)"));
    click(sheet(), QStringLiteral("Option1(2)"));
    click(sheet(), QStringLiteral("Opt5"));
    click(sheet(), QStringLiteral("Command1"));
    ASSERT_EQ(state_.CifreMoltiplicando, 4);
    ASSERT_EQ(state_.UltimaOperazione, 9);

    click(sheet(), QStringLiteral("Command2"));  // "ESCI"

    EXPECT_FALSE(app_->frmDue().isLoaded());
    ASSERT_TRUE(app_->frmInizio().isLoaded());
    EXPECT_TRUE(start()->isVisible());
    EXPECT_EQ(ended_->count(), 0);
    deleteUnloadedWindows();
    EXPECT_EQ(liveWindows<FrmDue>(), 0);

    enter();

    FrmDue* fresh = sheet();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(state_.CifreMoltiplicando, 2);
    EXPECT_EQ(state_.CifreMoltiplicatore, 1);
    EXPECT_EQ(state_.UltimaOperazione, 19);
    for (std::int16_t i = 0; i < FrmDue::kPlaces; ++i) {
        for (LabelArray array : {LabelArray::Label1, LabelArray::Label2, LabelArray::Label4, LabelArray::Label5,
                                 LabelArray::Label6, LabelArray::Label8}) {
            EXPECT_TRUE(fresh->place(array, i).caption().isEmpty()) << "place " << i;
        }
        for (LabelArray array :
             {LabelArray::lblPer, LabelArray::lblUguale, LabelArray::lblRiga1, LabelArray::lblRiga2}) {
            EXPECT_FALSE(fresh->place(array, i).isVisible()) << "place " << i;
        }
    }
    EXPECT_FALSE(fresh->cmdStampa().isVisible());
}

TEST_F(ApplicationTest, StampaPrintsOverTheWorksheetWindow)
{
    enter();
    click(sheet(), QStringLiteral("Command1"));
    click(sheet(), QStringLiteral("cmdStampa"));

    ASSERT_EQ(printedFrom_.size(), 1U);
    EXPECT_EQ(printedFrom_.front(), sheet());
}

TEST_F(ApplicationTest, BothWindowsCarryTheIconRenderedForEachSize)
{
    for (const int size : {32, 64}) {
        const QImage rendered(QStringLiteral(":/virdamo/icons/virdamo-%1.png").arg(size));
        ASSERT_FALSE(rendered.isNull()) << size << " px icon resource missing";
        EXPECT_EQ(rendered.size(), QSize(size, size));
        EXPECT_EQ(windowIcon().pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32),
                  rendered.convertToFormat(QImage::Format_ARGB32))
            << "the " << size << " px icon is not the picture rendered for that size";
    }

    enter();
    const QImage expected = windowIcon().pixmap(32, 32).toImage();
    for (QWidget* window : {static_cast<QWidget*>(start()), static_cast<QWidget*>(sheet())}) {
        EXPECT_EQ(window->windowIcon().pixmap(32, 32).toImage(), expected) << window->windowTitle().toStdString();
    }
}

}  // namespace
}  // namespace virdamo::app
