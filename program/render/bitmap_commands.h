// The Edit commands on the plot picture: save as a numbered bitmap file,
// copy to the clipboard, paste from the clipboard over the picture.
#pragma once

#include <QImage>

#include <functional>
#include <string>

namespace zan {

// "Out" + the number with at least three digits + ".bmp": Out000.bmp,
// Out001.bmp, ..., Out999.bmp, Out1000.bmp.
std::string BitmapName(int saveNum);

// Writes the picture as a bitmap file named after saveNum into the current
// folder, replacing a file of that name, and counts saveNum on. showCaption
// receives "Saving..." and then the file name, or, when the file cannot be
// written, a note saying so (saveNum then stays, so the next try reuses it).
bool SavePicture(const QImage& picture, int& saveNum,
                 const std::function<void(const std::string&)>& showCaption);

// Combines each pixel of pasted with the pixel under it by bitwise AND of the
// colour values, pasted's top-left corner on the picture's; the parts of
// pasted beyond the picture are dropped.
void PasteAnd(QImage& picture, const QImage& pasted);

// Clears the clipboard and puts the picture on it as a bitmap.
void CopyPicture(const QImage& picture);

// Pastes the clipboard's bitmap over the picture; false (and no change) when
// the clipboard holds no bitmap.
bool PastePicture(QImage& picture);

} // namespace zan

