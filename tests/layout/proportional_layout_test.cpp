#include "layout/proportional_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace virdamo::layout {
namespace {

struct Geometry {
    float left, top, width, height;
    bool operator==(const Geometry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Geometry& g)
{
    return os << "(" << g.left << ", " << g.top << ", " << g.width << ", " << g.height << ")";
}

class FakeControl : public LayoutControl {
public:
    FakeControl(ControlKind kind, Geometry g)
        : kind_(kind)
        , g_(g)
    {
    }

    ControlKind layoutKind() const override { return kind_; }
    std::optional<float> left() const override { return read(g_.left, "left"); }
    std::optional<float> top() const override { return read(g_.top, "top"); }
    std::optional<float> width() const override { return read(g_.width, "width"); }
    std::optional<float> height() const override { return read(g_.height, "height"); }
    void Move(float l, float t, float w, float h) override
    {
        ++moves;
        if (refuseMove) throw std::runtime_error("Move refused");
        g_ = {l, t, w, h};
    }

    Geometry geometry() const { return g_; }

    int moves = 0;
    bool refuseMove = false;
    std::string throwingRead;  // name of a property whose read throws

private:
    std::optional<float> read(float v, const char* property) const
    {
        if (kind_ == ControlKind::Line) return std::nullopt;
        if (throwingRead == property) throw std::runtime_error("read failed");
        return v;
    }

    ControlKind kind_;
    Geometry g_;
};

class FakeWindow : public LayoutWindow {
public:
    FakeWindow(float w, float h)
        : width_(w)
        , height_(h)
    {
    }

    FakeControl& add(ControlKind kind, Geometry g)
    {
        controls_.emplace_back(kind, g);
        return controls_.back();
    }
    void resize(float w, float h)
    {
        width_ = w;
        height_ = h;
    }

    int controlCount() const override { return static_cast<int>(controls_.size()); }
    LayoutControl& control(int i) override { return controls_.at(static_cast<std::size_t>(i)); }
    float innerWidth() const override { return width_; }
    float innerHeight() const override { return height_; }

    FakeControl& at(std::size_t i) { return controls_.at(i); }

private:
    float width_, height_;
    std::vector<FakeControl> controls_;
};

constexpr float kDesignW = 11910.0F;
constexpr float kDesignH = 8640.0F;

/// A window shaped like the worksheet window's side panel: a frame holding an option,
/// a button on the window, and a line that the layout must never move.
FakeWindow sidePanelWindow()
{
    FakeWindow w(kDesignW, kDesignH);
    w.add(ControlKind::Other, {10650, 420, 1245, 8205});  // 0 frame
    w.add(ControlKind::Other, {45, 195, 1095, 1065});     // 1 frame inside 0
    w.add(ControlKind::Other, {15, 105, 1605, 195});      // 2 option inside 1
    w.add(ControlKind::Other, {-510, 1575, 2235, 270});   // 3 label reaching left of its frame
    w.add(ControlKind::Line, {11865, 525, 0, 0});         // 4 line
    return w;
}

std::vector<Geometry> geometries(FakeWindow& w)
{
    std::vector<Geometry> out;
    for (int i = 0; i < w.controlCount(); ++i) out.push_back(w.at(static_cast<std::size_t>(i)).geometry());
    return out;
}

void expectNear(const Geometry& actual, const Geometry& expected)
{
    const float tol = 0.01F;  // single-precision rounding of twips
    EXPECT_NEAR(actual.left, expected.left, tol);
    EXPECT_NEAR(actual.top, expected.top, tol);
    EXPECT_NEAR(actual.width, expected.width, tol);
    EXPECT_NEAR(actual.height, expected.height, tol);
}

TEST(ProportionalLayout, RecordsFractionsOfTheInnerSize)
{
    FakeWindow w = sidePanelWindow();
    ControlRatios ratios;
    RecordControlRatios(w, ratios);
    ASSERT_EQ(ratios.size(), 5U);
    EXPECT_FLOAT_EQ(ratios[0].LeftRatio, 10650.0F / kDesignW);
    EXPECT_FLOAT_EQ(ratios[0].TopRatio, 420.0F / kDesignH);
    EXPECT_FLOAT_EQ(ratios[0].WidthRatio, 1245.0F / kDesignW);
    EXPECT_FLOAT_EQ(ratios[0].HeightRatio, 8205.0F / kDesignH);
    // Inside a frame the fractions are still of the window's size.
    EXPECT_FLOAT_EQ(ratios[2].LeftRatio, 15.0F / kDesignW);
    EXPECT_FLOAT_EQ(ratios[3].LeftRatio, -510.0F / kDesignW);
    // A line has no geometry to read: its fractions stay 0.
    EXPECT_EQ(ratios[4].LeftRatio, 0.0F);
    EXPECT_EQ(ratios[4].WidthRatio, 0.0F);
}

TEST(ProportionalLayout, ResizesScaleEachAxisIndependently)
{
    const struct {
        const char* name;
        float w, h;
    } sizes[] = {
        {"design", kDesignW, kDesignH},
        {"double width", 2 * kDesignW, kDesignH},
        {"double height", kDesignW, 2 * kDesignH},
        {"half", kDesignW / 2, kDesignH / 2},
        {"tiny", 15.0F, 15.0F},
        {"huge", 30 * kDesignW, 30 * kDesignH},
    };
    FakeWindow w = sidePanelWindow();
    const std::vector<Geometry> design = geometries(w);
    ControlRatios ratios;
    RecordControlRatios(w, ratios);

    for (const auto& size : sizes) {
        SCOPED_TRACE(size.name);
        w.resize(size.w, size.h);
        ApplyControlRatios(w, ratios);
        const float sx = size.w / kDesignW;
        const float sy = size.h / kDesignH;
        for (std::size_t i = 0; i < 4; ++i) {
            const Geometry& d = design[i];
            const Geometry g = w.at(i).geometry();
            const float tol = 1e-5F * std::max({1.0F, sx, sy}) * kDesignW;
            EXPECT_NEAR(g.left, d.left * sx, tol) << "control " << i;
            EXPECT_NEAR(g.width, d.width * sx, tol) << "control " << i;
            EXPECT_NEAR(g.top, d.top * sy, tol) << "control " << i;
            EXPECT_NEAR(g.height, d.height * sy, tol) << "control " << i;
        }
        EXPECT_EQ(w.at(4).geometry(), design[4]) << "the line is never moved";
        EXPECT_EQ(w.at(4).moves, 0);
    }
}

TEST(ProportionalLayout, ReturningToTheDesignSizeRestoresTheDesign)
{
    FakeWindow w = sidePanelWindow();
    const std::vector<Geometry> design = geometries(w);
    ControlRatios ratios;
    RecordControlRatios(w, ratios);

    // Zero size (a minimized window), odd sizes, then back: nothing accumulates.
    for (const auto& [width, height] : {std::pair{0.0F, 0.0F}, {7.0F, 13.0F}, {31415.0F, 2718.0F}, {0.0F, 500.0F}}) {
        w.resize(width, height);
        ApplyControlRatios(w, ratios);
    }
    EXPECT_EQ(w.at(0).geometry().left, 0.0F) << "the last resize had zero width";
    EXPECT_EQ(w.at(0).geometry().width, 0.0F);
    EXPECT_NEAR(w.at(0).geometry().height, 8205.0F * 500.0F / kDesignH, 0.01F);
    w.resize(kDesignW, kDesignH);
    ApplyControlRatios(w, ratios);
    for (std::size_t i = 0; i < design.size(); ++i) {
        SCOPED_TRACE(i);
        expectNear(w.at(i).geometry(), design[i]);
    }
}

TEST(ProportionalLayout, ControlInsideAFrameKeepsItsPlaceInTheFrame)
{
    FakeWindow w = sidePanelWindow();
    ControlRatios ratios;
    RecordControlRatios(w, ratios);
    w.resize(3 * kDesignW, 0.5F * kDesignH);
    ApplyControlRatios(w, ratios);
    const Geometry frame = w.at(1).geometry();
    const Geometry option = w.at(2).geometry();
    EXPECT_NEAR(option.left / frame.width, 15.0F / 1095.0F, 1e-6F);
    EXPECT_NEAR(option.top / frame.height, 105.0F / 1065.0F, 1e-6F);
    EXPECT_NEAR(option.width / frame.width, 1605.0F / 1095.0F, 1e-6F);
}

TEST(ProportionalLayout, ResizeBeforeRecordingLeavesControlsAlone)
{
    FakeWindow w = sidePanelWindow();
    const std::vector<Geometry> design = geometries(w);
    w.resize(2 * kDesignW, 2 * kDesignH);
    ControlRatios none;
    ApplyControlRatios(w, none);
    EXPECT_EQ(geometries(w), design);

    ControlRatios wrongSize(3);
    ApplyControlRatios(w, wrongSize);
    EXPECT_EQ(geometries(w), design);
}

TEST(ProportionalLayout, FailuresAreSkippedOneStatementAtATime)
{
    FakeWindow w = sidePanelWindow();
    w.at(1).throwingRead = "height";
    ControlRatios ratios;
    RecordControlRatios(w, ratios);
    EXPECT_FLOAT_EQ(ratios[1].WidthRatio, 1095.0F / kDesignW);
    EXPECT_EQ(ratios[1].HeightRatio, 0.0F);
    EXPECT_FLOAT_EQ(ratios[1].LeftRatio, 45.0F / kDesignW);
    EXPECT_FLOAT_EQ(ratios[1].TopRatio, 195.0F / kDesignH);
    EXPECT_FLOAT_EQ(ratios[2].HeightRatio, 195.0F / kDesignH) << "later controls are still recorded";

    w.at(2).refuseMove = true;
    w.resize(2 * kDesignW, kDesignH);
    ApplyControlRatios(w, ratios);
    EXPECT_EQ(w.at(2).geometry(), (Geometry{15, 105, 1605, 195}));
    EXPECT_FLOAT_EQ(w.at(3).geometry().width, 2 * 2235.0F) << "controls after a refused Move are still moved";
}

TEST(ProportionalLayout, ZeroInnerSizeWhileRecordingLeavesZeroFractions)
{
    FakeWindow w = sidePanelWindow();
    w.resize(0.0F, kDesignH);
    ControlRatios ratios;
    RecordControlRatios(w, ratios);
    EXPECT_EQ(ratios[0].LeftRatio, 0.0F);
    EXPECT_EQ(ratios[0].WidthRatio, 0.0F);
    EXPECT_FLOAT_EQ(ratios[0].TopRatio, 420.0F / kDesignH);
}

TEST(ProportionalLayout, RecordingAgainStartsFromAFreshTable)
{
    // A reload rebuilds the controls from the design; the new table must not keep
    // anything of the old one, whatever the old one held.
    FakeWindow first = sidePanelWindow();
    ControlRatios ratios;
    RecordControlRatios(first, ratios);
    ratios.push_back(ControlRatio{1, 1, 1, 1});

    FakeWindow reloaded(2 * kDesignW, kDesignH);
    reloaded.add(ControlKind::Other, {100, 200, 300, 400});
    RecordControlRatios(reloaded, ratios);
    ASSERT_EQ(ratios.size(), 1U);
    EXPECT_FLOAT_EQ(ratios[0].LeftRatio, 100.0F / (2 * kDesignW));
}

}  // namespace
}  // namespace virdamo::layout
