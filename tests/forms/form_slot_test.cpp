#include "forms/form.h"
#include "forms/form_slot.h"
#include "qt_helpers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QWindow>

#include <string>
#include <vector>

namespace virdamo::forms {
namespace {

/// A window that logs its notifications and can unload another slot from its unload step.
class LoggingForm final : public Form {
public:
    LoggingForm(std::vector<std::string>& log, std::string name, FormSlot* alsoUnload = nullptr)
        : Form(FormDesign{QString::fromStdString(name), 1500, 1500, Qt::white, FontSpec{}})
        , log_(log)
        , name_(std::move(name))
        , alsoUnload_(alsoUnload)
    {
        addLabel(QStringLiteral("Label1"), kNoIndex, nullptr, {0, 0, 750, 750}, LabelDesign{});
    }

protected:
    void Form_Load() override
    {
        log_.push_back(name_ + ".load");
        recordControlRatios();
    }
    void Form_Resize() override
    {
        log_.push_back(name_ + ".resize");
        applyControlRatios();
    }
    void Form_Unload() override
    {
        log_.push_back(name_ + ".unload");
        if (alsoUnload_) alsoUnload_->unload();
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
    FormSlot* alsoUnload_;
};

struct TwoWindows {
    std::vector<std::string> log;
    Lifecycle lifecycle;
    FormSlot second{lifecycle, [this] { return std::make_unique<LoggingForm>(log, "second"); }};
    FormSlot first{lifecycle, [this] { return std::make_unique<LoggingForm>(log, "first", &second); }};
};

void flushDeferredDeletes()
{
    virdamo::test::deleteUnloadedWindows();
}

TEST(FormSlot, LoadRunsTheLoadStepOnceUntilUnloaded)
{
    TwoWindows app;
    Form* a = app.first.load();
    Form* b = app.first.show();
    EXPECT_EQ(a, b);
    app.first.show();
    EXPECT_EQ(std::count(app.log.begin(), app.log.end(), "first.load"), 1);
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(app.lifecycle.loadedCount(), 1);
}

TEST(FormSlot, UnloadDestroysAndTheNextLoadRebuildsFromTheDesign)
{
    TwoWindows app;
    QPointer<Form> old = app.first.show();
    virdamo::test::control<Label>(*old, QStringLiteral("Label1")).setCaption(QStringLiteral("changed"));
    app.first.unload();
    EXPECT_FALSE(app.first.isLoaded());
    EXPECT_FALSE(old->isVisible());
    flushDeferredDeletes();
    EXPECT_TRUE(old.isNull()) << "the controls are destroyed";

    Form* fresh = app.first.load();
    EXPECT_EQ(virdamo::test::control<Label>(*fresh, QStringLiteral("Label1")).caption(), QString());
    EXPECT_EQ(std::count(app.log.begin(), app.log.end(), "first.load"), 2);
}

TEST(FormSlot, TheApplicationEndsWhenTheLastWindowUnloadsAndOnlyThen)
{
    const struct {
        const char* name;
        std::function<void(TwoWindows&)> act;
        bool ended;
        std::vector<std::string> unloads;
    } cases[] = {
        {"close the second window", [](TwoWindows& a) { a.second.form()->close(); }, false, {"second.unload"}},
        {"unload the second window", [](TwoWindows& a) { a.second.unload(); }, false, {"second.unload"}},
        {"close the first window",
         [](TwoWindows& a) { a.first.form()->close(); },
         true,
         {"first.unload", "second.unload"}},
        {"unload the first window", [](TwoWindows& a) { a.first.unload(); }, true, {"first.unload", "second.unload"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TwoWindows app;
        QSignalSpy ended(&app.lifecycle, &Lifecycle::ended);
        app.first.show();
        app.second.show();
        app.log.clear();
        c.act(app);
        std::vector<std::string> unloads;
        for (const auto& entry : app.log) {
            if (entry.ends_with(".unload")) unloads.push_back(entry);
        }
        EXPECT_EQ(unloads, c.unloads);
        EXPECT_EQ(ended.count(), c.ended ? 1 : 0);
        EXPECT_EQ(app.lifecycle.loadedCount(), c.ended ? 0 : 1);
        flushDeferredDeletes();
    }
}

TEST(FormSlot, ShowBringsAMinimizedWindowBackAsItWas)
{
    const struct {
        const char* name;
        Qt::WindowStates before;
    } cases[] = {{"normal", Qt::WindowNoState}, {"maximized", Qt::WindowMaximized}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TwoWindows app;
        Form* form = app.first.show();
        form->setWindowState(c.before | Qt::WindowMinimized);
        QCoreApplication::processEvents();
        ASSERT_TRUE(form->isMinimized());

        EXPECT_EQ(app.first.show(), form);
        QCoreApplication::processEvents();

        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->isMinimized()) << "shown in front, yet left on the taskbar";
        EXPECT_EQ(form->windowState() & Qt::WindowMaximized, c.before & Qt::WindowMaximized);
        EXPECT_EQ(QGuiApplication::focusWindow(), form->windowHandle());
        EXPECT_EQ(std::count(app.log.begin(), app.log.end(), "first.load"), 1) << "restored, not reloaded";
        app.first.unload();
        flushDeferredDeletes();
    }
}

TEST(FormSlot, UnloadingAWindowThatIsNotLoadedDoesNothing)
{
    TwoWindows app;
    QSignalSpy ended(&app.lifecycle, &Lifecycle::ended);
    app.second.unload();
    EXPECT_TRUE(app.log.empty());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(app.second.isLoaded()) << "unloading never creates the window";
}

TEST(FormSlot, ResizeAfterTheLoadScalesTheControls)
{
    TwoWindows app;
    Form* form = app.first.show();
    auto& label = virdamo::test::control<Label>(*form, QStringLiteral("Label1"));
    form->setInnerSize(3000, 1500);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(label.geometry().width, 1500.0F);
    EXPECT_FLOAT_EQ(label.geometry().height, 750.0F);
    EXPECT_NE(std::find(app.log.begin(), app.log.end(), "first.resize"), app.log.end());
}

}  // namespace
}  // namespace virdamo::forms
