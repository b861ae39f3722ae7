#include "render/page_titles.h"

#include "render/cell_drawing.h"
#include "render/colours.h"
#include "render/rounding.h"

#include <algorithm>

namespace zan::render {

std::string FileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void DrawScreenTitle(DrawTarget& t, zan::Session& s, const PageGeometry& g, const std::string& face)
{
    const float band = std::max(0.03f, static_cast<float>(0.046 * 1.2 / g.rows));
    const int hf = CLng(static_cast<double>(band) * g.T * g.SH);
    s.ScrTitle = Trimmed(s.ScrTitle);
    t.selectFont(FontSpec{face + " bold", hf, 0});
    t.setTextColor(kBlack);
    t.setTextAlign(kAlignCenter + kAlignTop);
    t.textOut(CLng(0.5 * g.SW), CLng(0.2 * hf - g.SH), s.ScrTitle);
    t.releaseFont();
}

// The last legend row sits on the bottom edge, earlier rows one text height
// above each other.
void DrawFilesLegend(DrawTarget& t, const zan::Session& s, const PageGeometry& g, const std::string& face)
{
    const int hf = CLng(0.015 * g.T * g.SH);
    t.selectFont(FontSpec{face, hf, 0});
    t.setTextAlign(kAlignLeft + kAlignBottom);
    const int n = std::min({s.nFile, 16, s.Flist.size()});
    for (int i = 1; i <= n; ++i) {
        const std::string path = Trimmed(s.Flist[i]);
        const std::string text = s.lTitf != 0 ? path : FileNamePart(path);
        const int lr = (i + 3) / 4;
        const int lc = ((i - 1) % 4) + 1;
        const int x = CLng((0.25 * lc - 0.2) * g.SW);
        const int y = CLng(-(g.legendRows - lr) * 0.015 * g.T * g.SH);
        t.setTextColor(s.iFclr == 1 ? FileColor(i) : kBlack);
        t.textOut(x, y, text);
    }
    t.setTextColor(kBlack);
    t.releaseFont();
}

}  // namespace zan::render
