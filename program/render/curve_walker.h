// The fast walk of one line of one file on the screen image, in every marks
// mode but "Pins": it sets the pixels the sample walk sets. Runs of samples
// in one pixel column shrink to their first, lowest, highest and last point;
// runs beyond a device limit or beside the visible area are passed over with
// the library's block tables, checked and never assumed; where samples jump
// about, they are mapped in chunks, and a chunk whose lines could only set
// pixels of the line's colour already is passed over too. Marks and dots go
// to a point sink beside the lines.
#ifndef ZAN_RENDER_CURVE_WALKER_H
#define ZAN_RENDER_CURVE_WALKER_H

#include "render/column_reducer.h"
#include "render/draw_target.h"
#include "render/point_sinks.h"
#include "render/run_search.h"
#include "render/sample_reader.h"
#include "render/sample_walk.h"

#include <cstdint>
#include <optional>

namespace zan::render {

class ImageTarget;

class CurveWalker {
public:
    // lines: draw the lines (marks "Off", "On", "All"); lastDot: the colour
    // of the square dot on the last sample, if any; sink: where the points
    // go for marks or dots, if anywhere.
    CurveWalker(DrawTarget& target, const SampleReader& r, const WalkStyle& w, Area area, bool lines,
                std::optional<Rgb> lastDot, PointSink* sink);

    void run();

private:
    // Runs shorter than this are cheaper to map sample by sample than to find.
    static constexpr int kMinSkip = 16;

    void consume(int k, const Mapped& m);

    Mapped take(int k);

    // Drawn samples k+1 .. e the sample walk's way.
    void exact(int k, int e);

    // The same in parts of one block of the library's summaries each,
    // passing over a part whose lines could set only pixels that have the
    // line's colour already: those within the bounds of its points and the
    // point before. Curves that pass over their own paths again and again
    // (X-Y graphs) are mostly such parts.
    void chunked(int k, int e);

    bool passPainted(int a, int b);

    template <class Pred>
    int reach(int k, Pred pred)
    {
        return ReachWhile(r_, k, pred);
    }

    template <class Check>
    int verified(int k, int e, Check check, MappedRange* found = nullptr)
    {
        return VerifiedRun(r_, k, e, kMinSkip, check, found);
    }

    // The last drawn sample after k up to which every sample is drawn and
    // its x lies within lo..hi; rows, if given, receives their rows.
    int runEnd(int k, int32_t lo, int32_t hi, Rows* rows = nullptr);

    // Tries to pass over drawn samples after k (just taken, mapped as m) in
    // one go; returns the last drawn sample dealt with, k when none.
    int skip(int k, const Mapped& m);

    // Samples on one side of the area: lines between them set no pixel in it.
    int passBeside(int k, bool left);

    // The pen ends on e's point: every sample before it was drawn.
    void jumpTo(int e, const Mapped& m);

    // A few samples the sample walk's way, before the next try; k when
    // nothing follows k in the same kind of run.
    int fallBack(int k, int e);

    // Whether the lines inside the final run set its last vertex. They do
    // when that vertex's row lies within the rows of the run's earlier
    // vertices: the run's lines join them all and pass every row between.
    bool finalRunCovers(int count);

    // The same by following the final run again sample by sample.
    bool followFinalRun(int count);

    void finish(int count);

    DrawTarget& target_;
    ImageTarget* image_;
    ColumnReducer reducer_;
    const SampleReader& r_;
    const WalkStyle& w_;
    Area area_;
    Area skipArea_;
    bool lines_;
    std::optional<Rgb> lastDot_;
    PointSink* sink_;
    int32_t px0_ = 0;
    int32_t py0_ = 0;
    int32_t py_ = 0;  // y of the last sample whose x was inside
    bool lastOk_ = false;  // the last sample dealt with was drawn
    int runStart_ = 0;
    Mapped last_;
    ChunkPacing pacing_;
};

}  // namespace zan::render

#endif
