#include "interact/frame_window_size.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

// A frame that resizes and reports the resize back, as a window does.
class FakeFrame : public FrameSizeHost {
public:
    FrameSizeMemory memory;
    int iFwdt = 12000;
    int iFhgt = 9000;
    int state = kMaximisedState;
    double width = 0;
    double height = 0;

    int State() const override { return state; }
    double Width() const override { return width; }
    double Height() const override { return height; }
    void SetSize(double w, double h) override { Resized(state, w, h); }
    void Resized(int newState, double w, double h)
    {
        state = newState;
        width = w;
        height = h;
        FrameResize(memory, *this, iFwdt, iFhgt);
    }
};

TEST(FrameResize, FirstNormalResizeTakesTheStoredSize)
{
    FakeFrame frame;
    frame.iFwdt = 9000;
    frame.iFhgt = 6000;
    frame.Resized(kNormalState, 4000, 3000);
    EXPECT_EQ(frame.width, 9000);
    EXPECT_EQ(frame.height, 6000);
    EXPECT_EQ(frame.memory.iLastWs, kNormalState);
}

TEST(FrameResize, LeavingTheMaximisedStateRestoresTheRememberedNormalSize)
{
    FakeFrame frame;
    frame.Resized(kNormalState, 1, 1);
    frame.Resized(kNormalState, 10000, 7000);
    EXPECT_EQ(frame.iFwdt, 10000);
    EXPECT_EQ(frame.iFhgt, 7000);
    frame.Resized(kMaximisedState, 28800, 16200);
    EXPECT_EQ(frame.iFwdt, 10000);
    // The window system would bring some other size back.
    frame.Resized(kNormalState, 5000, 5000);
    EXPECT_EQ(frame.width, 10000);
    EXPECT_EQ(frame.height, 7000);
    EXPECT_EQ(frame.iFwdt, 10000);
    EXPECT_EQ(frame.iFhgt, 7000);
}

TEST(FrameResize, MinimisingKeepsTheRememberedSize)
{
    FakeFrame frame;
    frame.Resized(kNormalState, 1, 1);
    frame.Resized(kNormalState, 8000, 6000);
    frame.Resized(kMinimisedState, 0, 0);
    EXPECT_EQ(frame.iFwdt, 8000);
    EXPECT_EQ(frame.iFhgt, 6000);
    frame.Resized(kNormalState, 8000, 6000);
    EXPECT_EQ(frame.iFwdt, 8000);
    EXPECT_EQ(frame.iFhgt, 6000);
}

} // namespace
} // namespace zan
