// One drawing of the plot at a time.
//
// Every drawing lets pending window events run at its end, so a click, a
// key, a timer or the watch can ask for another drawing from inside one. The
// gate remembers such a request and serves it by one drawing right after the
// running one, with the session as it is then: requests made meanwhile are
// merged, so nothing asked for is lost and nothing is drawn twice needlessly.
#ifndef ZAN_RENDER_DRAW_GATE_H
#define ZAN_RENDER_DRAW_GATE_H

#include <deque>
#include <functional>

namespace zan::render {

class DrawGate {
public:
    // What the gate runs; every member may be empty.
    struct Drawings {
        std::function<void()> page;                        // the whole page
        std::function<void(bool letEventsRun)> overlay;    // rings and time markers only
        std::function<bool()> mayDraw;                     // false: requests wait (a load is under way)
        std::function<void()> idle;                        // once the last drawing of a run is done
    };

    explicit DrawGate(Drawings drawings) : d_(std::move(drawings)) {}

    // Draws the page now, or right after the drawing that runs.
    void Page();
    // Draws the highlight overlay now, or after the drawing that runs; a page
    // drawn meanwhile holds the overlay already.
    void Overlay(bool letEventsRun);
    // Runs an action on the finished picture (print, save, copy, paste): at
    // once when no drawing runs or waits, else after the last of them.
    void After(std::function<void()> action);

    // A drawing or an action of the gate is under way.
    bool running() const { return running_; }
    int pagesDrawn() const { return pages_; }

private:
    void Serve();

    Drawings d_;
    bool running_ = false;
    bool page_ = false;
    bool overlay_ = false;
    bool overlayEvents_ = false;
    std::deque<std::function<void()>> after_;
    int pages_ = 0;
};

}  // namespace zan::render

#endif
