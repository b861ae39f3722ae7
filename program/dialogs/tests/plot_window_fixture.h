// The main window over a loaded page of eight graphs, driven by real mouse
// and key events sent to its picture.
#pragma once

#include "dialogs/plot_window.h"
#include "dialogs/plot_window_picture.h"
#include "render/tests/render_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <memory>

namespace zan::testing {

using render::testing::CsvFile;
using render::testing::RenderFixture;

// Time 0..199 and three waves, eight graphs on pages of 2 x 2.
struct PlotWindowFixture : RenderFixture {
    PlotWindowFixture()
    {
        CsvFile f;
        f.names = {"time", "a", "b", "c"};
        f.rows = 200;
        f.row = [](int r) {
            const double t = r - 1.0;
            return std::vector<double>{t, std::sin(t / 20), std::cos(t / 15) * 3, t * t / 100};
        };
        load({f});
        grid(2, 2);
        for (int g = 1; g <= 8; ++g) addGraph("g" + std::to_string(g), 1, {2 + (g - 1) % 3});
        s.lderr = 0;
        s.drErr = 0;
        w = std::make_unique<PlotWindow>(s);
        w->resize(900, 700);
        w->ShowBoxes();
        w->show();
        w->FormResize();
        w->Timer1.stop();
        w->PictDraw();
        w->ButnStat();
    }
    ~PlotWindowFixture() { w.reset(); }

    void mouse(QEvent::Type type, Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers mods = {})
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons{} : Qt::MouseButtons{button};
        QMouseEvent e(type, at, w->Picture1->mapToGlobal(at), button, held, mods);
        QApplication::sendEvent(w->Picture1, &e);
    }
    void drag(Qt::MouseButton button, QPointF from, QPointF to)
    {
        mouse(QEvent::MouseButtonPress, button, from);
        mouse(QEvent::MouseMove, Qt::NoButton, (from + to) / 2);
        mouse(QEvent::MouseMove, Qt::NoButton, to);
        mouse(QEvent::MouseButtonRelease, button, to);
    }
    void click(Qt::MouseButton button, QPointF at)
    {
        mouse(QEvent::MouseButtonPress, button, at);
        mouse(QEvent::MouseButtonRelease, button, at);
    }
    void key(int qtKey, Qt::KeyboardModifiers mods = {})
    {
        QKeyEvent e(QEvent::KeyPress, qtKey, mods);
        QApplication::sendEvent(w->Picture1, &e);
    }
    // Lets the delayed drawing run.
    void settle()
    {
        if (w->Timer1.isActive()) {
            w->Timer1.stop();
            w->PictDraw();
        }
    }
    // A point inside the plot frame of cell iWind, at fractions of its size.
    QPointF inCell(int iWind, double fx, double fy) const
    {
        const CellRecord& c = s.CellTab[static_cast<size_t>(iWind)];
        return QPointF(c.Left + fx * c.Width, c.Top + fy * c.Height);
    }

    std::unique_ptr<PlotWindow> w;
};

}  // namespace zan::testing
