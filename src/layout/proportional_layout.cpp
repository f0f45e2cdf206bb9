#include "layout/proportional_layout.h"

#include "layout/load_step.h"

namespace virdamo::layout {

namespace {

/// One field of the recording: value / extent, when both exist and the extent is not 0.
void storeQuotient(float& field, const std::optional<float>& value, float extent)
{
    if (value && extent != 0.0F) {
        field = *value / extent;
    }
}

}  // namespace

void RecordControlRatios(LayoutWindow& window, ControlRatios& ratios)
{
    const int count = window.controlCount();
    ratios.assign(static_cast<std::size_t>(count > 0 ? count : 0), ControlRatio{});

    for (int i = 0; i < count; ++i) {
        ControlRatio& r = ratios[static_cast<std::size_t>(i)];
        skippingFailure([&] { storeQuotient(r.WidthRatio, window.control(i).width(), window.innerWidth()); });
        skippingFailure([&] { storeQuotient(r.HeightRatio, window.control(i).height(), window.innerHeight()); });
        skippingFailure([&] { storeQuotient(r.LeftRatio, window.control(i).left(), window.innerWidth()); });
        skippingFailure([&] { storeQuotient(r.TopRatio, window.control(i).top(), window.innerHeight()); });
    }
}

void ApplyControlRatios(LayoutWindow& window, const ControlRatios& ratios)
{
    const int count = window.controlCount();
    if (ratios.empty() || ratios.size() != static_cast<std::size_t>(count)) {
        return;
    }

    for (int i = 0; i < count; ++i) {
        LayoutControl& control = window.control(i);
        if (control.layoutKind() == ControlKind::Line) {
            continue;
        }
        const float w = window.innerWidth();
        const float h = window.innerHeight();
        const ControlRatio& r = ratios[static_cast<std::size_t>(i)];
        try {
            control.Move(w * r.LeftRatio, h * r.TopRatio, w * r.WidthRatio, h * r.HeightRatio);
        } catch (const std::exception&) {
            // A control that refuses Move keeps its place; the others are still laid out.
        }
    }
}

}  // namespace virdamo::layout
