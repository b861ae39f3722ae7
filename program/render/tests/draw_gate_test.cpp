#include "render/draw_gate.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zan::render {
namespace {

// A gate whose drawings log themselves and, while they "let events run",
// run whatever the test queued for that moment.
struct Drawn {
    std::vector<std::string> log;
    std::vector<std::function<void()>> during;  // run inside the next drawing
    bool loading = false;
    int depth = 0;
    int deepest = 0;
    DrawGate gate{{[this] { Draw("page"); }, [this](bool events) { Draw(events ? "overlay" : "overlay quiet"); },
                   [this] { return !loading; }, [this] { log.push_back("idle"); }}};

    void Draw(const std::string& what)
    {
        ++depth;
        deepest = std::max(deepest, depth);
        log.push_back(what);
        std::vector<std::function<void()>> now;
        now.swap(during);
        for (auto& f : now)
            f();
        --depth;
    }
};

TEST(DrawGate, RequestsMadeDuringADrawingAreServedByOneDrawingAfterIt)
{
    Drawn d;
    d.during = {[&] { d.gate.Page(); }, [&] { d.gate.Overlay(true); }, [&] { d.gate.Page(); }};
    d.gate.Page();
    EXPECT_EQ(d.log, (std::vector<std::string>{"page", "page", "idle"}));
    EXPECT_EQ(d.deepest, 1);
    EXPECT_EQ(d.gate.pagesDrawn(), 2);
    EXPECT_FALSE(d.gate.running());
}

TEST(DrawGate, AnOverlayAskedForDuringADrawingFollowsItAlone)
{
    Drawn d;
    d.during = {[&] { d.gate.Overlay(true); }, [&] { d.gate.Overlay(false); }};
    d.gate.Page();
    EXPECT_EQ(d.log, (std::vector<std::string>{"page", "overlay quiet", "idle"}));
    d.log.clear();
    d.gate.Overlay(false);
    EXPECT_EQ(d.log, (std::vector<std::string>{"overlay quiet", "idle"}));
}

TEST(DrawGate, PictureCommandsWaitForTheDrawingsAskedForBeforeThem)
{
    Drawn d;
    d.during = {[&] {
        d.gate.Page();  // a page turn
        d.gate.After([&] { d.log.push_back("save"); });
        d.during = {[&] { d.gate.After([&] { d.log.push_back("copy"); }); }};
    }};
    d.gate.Page();
    EXPECT_EQ(d.log, (std::vector<std::string>{"page", "page", "save", "copy", "idle"}));
    d.log.clear();
    d.gate.After([&] { d.log.push_back("print"); });
    EXPECT_EQ(d.log, (std::vector<std::string>{"print", "idle"}));
}

TEST(DrawGate, WhileFilesLoadDrawingsWaitForTheNextRequest)
{
    Drawn d;
    d.loading = true;
    d.gate.Page();
    d.gate.After([&] { d.log.push_back("save"); });
    EXPECT_EQ(d.log, (std::vector<std::string>{"idle", "save", "idle"}));
    d.log.clear();
    d.loading = false;
    d.gate.Overlay(true);
    EXPECT_EQ(d.log, (std::vector<std::string>{"page", "idle"}));
}

TEST(DrawGate, OpensAgainAfterADrawingThatThrows)
{
    int calls = 0;
    DrawGate::Drawings drawings;
    drawings.page = [&] {
        if (++calls == 1)
            throw std::runtime_error("drawing failed");
    };
    DrawGate gate(drawings);
    EXPECT_THROW(gate.Page(), std::runtime_error);
    EXPECT_FALSE(gate.running());
    gate.Page();
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace zan::render
