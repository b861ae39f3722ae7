#include "render/cell_layers.h"

#include "render/image_target.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>

namespace zan::render {

namespace {

std::atomic<int> g_threads{0};

// The cell's clip as the page drawing sets it, within the page.
Rect ClipOf(const CellContext& c, int width, int height)
{
    const zan::CellRecord& cell = c.cell;
    const int kp = c.g.kp;
    return Rect{std::max(cell.Left - kp, 0), std::max(cell.Top - kp, 0), std::min(cell.Right + kp + 1, width),
                std::min(cell.Bottom + kp + 1, height)};
}

}  // namespace

void SetCellThreads(int n)
{
    g_threads = std::max(n, 0);
}

int CellThreads()
{
    const int n = g_threads;
    return n > 0 ? n : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

CellLayers CellLayers::Draw(DrawTarget& t, const zan::Session& s, const std::vector<CellContext>& cells)
{
    CellLayers out;
    const int threads = std::min<int>(CellThreads(), static_cast<int>(cells.size()));
    if (threads < 2 || !dynamic_cast<ImageTarget*>(&t)) return out;
    if (!std::all_of(cells.begin(), cells.end(), CurvesOnePixelWide)) return out;
    for (const CellContext& c : cells) PrepareCurves(s, c);

    const int width = t.scaleWidth();
    const int height = t.scaleHeight();
    out.layers_.resize(cells.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < cells.size(); i = next++) {
            const CellContext& c = cells[i];
            const Rect clip = ClipOf(c, width, height);
            if (clip.right <= clip.left || clip.bottom <= clip.top) continue;
            // Without memory for it, the cell draws its own curves later.
            try {
                QImage image(clip.right - clip.left, clip.bottom - clip.top, QImage::Format_ARGB32);
                if (image.isNull()) continue;
                image.fill(0);
                {
                    ImageTarget layer(image);
                    // The page's logical coordinates, moved onto the layer.
                    layer.setViewportOrigin(-clip.left, height - 1 - clip.top);
                    DrawCurves(layer, s, c);
                }
                out.layers_[i] = Layer{std::move(image), Point{clip.left, clip.top}};
            } catch (const std::bad_alloc&) {
                out.layers_[i] = Layer{};
            }
        }
    };
    std::vector<std::thread> helpers;
    for (int i = 1; i < threads; ++i) {
        // Without another thread this one draws the rest.
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break;
        }
    }
    work();
    for (std::thread& h : helpers) h.join();
    return out;
}

void CellLayers::put(DrawTarget& t, size_t cell) const
{
    auto* image = dynamic_cast<ImageTarget*>(&t);
    if (!image || !has(cell)) return;
    image->putLayer(layers_[cell].image, layers_[cell].at);
}

}  // namespace zan::render
