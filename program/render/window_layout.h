// Placement of the plot picture and the controls under it when the main
// window changes size. Everything here is in twips, as the window keeps it.
#pragma once

#include <string>

namespace zan {

struct ResizeInput {
    double innerWidth = 0;     // inside of the main window
    double innerHeight = 0;
    double tx = 15;            // twips per pixel, horizontally and vertically
    double ty = 15;
    double buttonHeight = 0;   // height of the first button of the button bar
    double barWidth = 0;       // width of the button bar
    double barExtraHeight = 0; // room the bar needs beyond one row in a narrow window
};

struct ResizeLayout {
    double pictureTop = 0;
    double pictureLeft = 0;
    double pictureWidth = 0;   // a whole multiple of 5 pixels, at least 2 twips
    double pictureHeight = 0;
    std::string sizeCaption;   // the picture size in pixels, " 780 x 540"
    double barTop = 0;
    double barLeft = 0;        // centred, may be negative in a narrow window
    double labelsTop = 0;      // the readout and "Last" labels beside the bar
};

// The layout of Form_Resize: the picture fills the window above a bar of
// 5/3 button heights (and the extra height of a wrapped bar), with a 5-pixel
// margin, cut to whole 5-pixel steps.
ResizeLayout FormResize(const ResizeInput& in);

// A picture extent in twips as whole pixels for the toolkit, never below one
// pixel so that the persistent image always exists.
int TwipsToPixels(double twips, double twipsPerPixel);

} // namespace zan

