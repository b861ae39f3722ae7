#include "interact/view_options.h"

#include <algorithm>

namespace zan {

bool ChooseOption(int& field, int i)
{
    if (field == i)
        return false;
    field = i;
    return true;
}

bool ToggleTitle(int& flag)
{
    flag = flag == 1 ? 0 : 1;
    return true;
}

bool ToggleTranspose(Session& s)
{
    s.iTran = s.iTran != 0 ? 0 : -1;
    return true;
}

bool ChooseLast(Session& s, int i)
{
    return ChooseOption(s.iLast, i);
}

bool ClearMarkers(Session& s)
{
    s.nPins = 0;
    return s.lderr == 0;
}

} // namespace zan
