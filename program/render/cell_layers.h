// The curves of a page's cells drawn on the processor's cores at once. Each
// cell's curves go into a layer of their own, an image the size of the
// cell's clip that keeps which pixels the curves set and to what; the page
// drawing then puts each layer in where that cell's curves belong, so the
// page is the one that drawing the cells one after another gives.
#ifndef ZAN_RENDER_CELL_LAYERS_H
#define ZAN_RENDER_CELL_LAYERS_H

#include "render/cell_drawing.h"
#include "render/draw_target.h"
#include "session/session_state.h"

#include <QImage>

#include <cstddef>
#include <vector>

namespace zan::render {

class CellLayers {
public:
    // Draws the curves of the cells into layers when that gives the same
    // picture and more than one core can work on it: the target is the
    // screen image, the pens are one pixel wide, more than one cell has
    // curves. Else no layers: the cells draw their curves themselves.
    static CellLayers Draw(DrawTarget& t, const zan::Session& s, const std::vector<CellContext>& cells);

    bool has(size_t cell) const { return cell < layers_.size() && !layers_[cell].image.isNull(); }
    // Sets the pixels the cell's curves set, inside the target's clip.
    void put(DrawTarget& t, size_t cell) const;

private:
    struct Layer {
        QImage image;  // opaque where a curve set the pixel
        Point at;      // device pixel of its top-left corner
    };
    std::vector<Layer> layers_;
};

// Threads the cells' curves are drawn on: 0 (the start) for as many as the
// processor has, 1 for drawing them in the page drawing itself.
void SetCellThreads(int n);
int CellThreads();

}  // namespace zan::render

#endif
