#include "interact/frame_window_size.h"

#include <cmath>

namespace zan {

void FrameResize(FrameSizeMemory& memory, FrameSizeHost& frame, int& iFwdt, int& iFhgt)
{
    if (memory.lInResize)
        return;
    if (frame.State() == kNormalState) {
        if (memory.iLastWs == kMaximisedState) {
            memory.lInResize = true;
            frame.SetSize(iFwdt, iFhgt);
            memory.lInResize = false;
        }
        iFhgt = static_cast<int>(std::lround(frame.Height()));
        iFwdt = static_cast<int>(std::lround(frame.Width()));
    }
    memory.iLastWs = frame.State();
}

} // namespace zan
