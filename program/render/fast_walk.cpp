#include "render/fast_walk.h"

#include "render/curve_walker.h"
#include "render/image_target.h"
#include "render/pin_walk.h"
#include "render/point_sinks.h"
#include "render/sample_reader.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace zan::render {

namespace {

Area AreaOf(const ImageTarget& target, VisibleColumns visible)
{
    const Rect clip = target.logicalClip();
    return Area{std::max(visible.left, clip.left), std::min(visible.right, clip.right), clip.top, clip.bottom};
}

}  // namespace

bool FastWalkApplies(const DrawTarget& target, const WalkStyle&, const PenSpec& pen)
{
    return pen.width <= 1 && pen.style == PenStyle::Solid &&
           dynamic_cast<const ImageTarget*>(&target) != nullptr;
}

void FastWalkSamples(DrawTarget& target, int file, int n, const WalkStyle& style, VisibleColumns visible)
{
    auto* image = dynamic_cast<ImageTarget*>(&target);
    if (!image) {
        WalkSamples(target, file, n, style);
        return;
    }
    const Area area = AreaOf(*image, visible);
    if (style.iMark == kMarksPins) {
        PinWalkSamples(*image, file, n, style, area);
        return;
    }
    const SampleReader r(file, n, style.iStep);
    std::unique_ptr<PointSink> sink;
    bool lines = true;
    std::optional<Rgb> lastDot = style.colour;
    switch (style.iMark) {
    case kMarksOn:
        sink = std::make_unique<MarkSpaced>(r, MarkStamp::Mark(*image, style.markKind, style.dims, style.colour),
                                            style.D);
        break;
    case kMarksAll:
        sink = std::make_unique<MarkEveryPoint>(r, MarkStamp::Mark(*image, style.markKind, style.dims, style.colour),
                                                area);
        break;
    case kMarksOnly:
        sink = std::make_unique<MarkEveryPoint>(r, MarkStamp::Mark(*image, style.markKind, style.dims, style.colour),
                                                area);
        lines = false;
        lastDot.reset();
        break;
    case kMarksDots:
        sink = std::make_unique<MarkEveryPoint>(r, MarkStamp::Dot(*image, style.kp, style.colour), area);
        lines = false;
        lastDot.reset();
        break;
    default:
        break;
    }
    CurveWalker(target, r, style, area, lines, lastDot, sink.get()).run();
}

void DrawLineSamples(DrawTarget& target, int file, int n, const WalkStyle& style, const PenSpec& pen,
                     VisibleColumns visible)
{
    if (FastWalkApplies(target, style, pen)) FastWalkSamples(target, file, n, style, visible);
    else WalkSamples(target, file, n, style);
}

}  // namespace zan::render
