// How the frame window remembers its normal size: only while it is in the
// normal state, and leaving the maximised state brings back the remembered
// size rather than the one the window system would choose.
#pragma once

#include "session/startup.h"

namespace zan {

// What the size memory needs of the frame; sizes in twips.
class FrameSizeHost {
public:
    virtual ~FrameSizeHost() = default;
    virtual int State() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // May raise resize events before it returns.
    virtual void SetSize(double width, double height) = 0;
};

struct FrameSizeMemory {
    int iLastWs = kMaximisedState;  // state seen at the previous resize
    bool lInResize = false;    // the frame is restoring its own size
};

// The frame's resize event. iFwdt and iFhgt are the remembered normal width
// and height (settings fields of the main window).
void FrameResize(FrameSizeMemory& memory, FrameSizeHost& frame, int& iFwdt, int& iFhgt);

} // namespace zan
