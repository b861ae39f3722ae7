// A session with a few named variables and graphs for the selection tests.
#pragma once

#include "session/session_state.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace zan::testing {

// Variables "time", "alpha", "Beta", "gamma", "delta", "ALPHA2", ... and
// graphs given as {x, line, line, ...}.
inline Session SelectionSession(std::initializer_list<std::vector<int>> graphs, int extraVars = 0)
{
    Session s;
    std::vector<std::string> names = {"time", " alpha ", "Beta", "gamma", "delta", "ALPHA2"};
    for (int i = 0; i < extraVars; ++i)
        names.push_back("v" + std::to_string(i + 7));
    s.nVar = static_cast<int>(names.size());
    s.VarTab.assign(s.nVar);
    for (int i = 1; i <= s.nVar; ++i)
        s.VarTab[i].Name = names[static_cast<size_t>(i - 1)];
    s.ScrTitle = " Run 1 ";
    for (const std::vector<int>& g : graphs) {
        GraphRecord r;
        r.xVar = g[0];
        r.nLine = static_cast<int>(g.size()) - 1;
        for (int j = 1; j <= r.nLine; ++j)
            r.Lines[static_cast<size_t>(j)] = g[static_cast<size_t>(j)];
        r.Title = "graph " + std::to_string(s.GrphTab.size() + 1);
        s.GrphTab.push_back(r);
    }
    s.nGrph = s.GrphTab.size();
    return s;
}

} // namespace zan::testing
