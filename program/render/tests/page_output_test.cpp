#include "render/page_output.h"
#include "render/qt_page_output.h"
#include "render/recording_target.h"
#include "render_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace zan::render {
namespace {

class FakeScreen : public ScreenPicture {
public:
    void erase() override { calls.push_back("erase"); }
    DrawTarget& target() override
    {
        calls.push_back("draw");
        return recorder;
    }
    void refresh() override { calls.push_back("refresh"); }
    void setPageLabel(const std::string& caption) override { label = caption; calls.push_back("label"); }
    void updateReadout() override { calls.push_back("readout"); }
    void targetDone() override { calls.push_back("done"); }
    void processEvents() override
    {
        calls.push_back("events");
        opsWhenEventsRan = recorder.ops().size();
        if (duringEvents) duringEvents();
    }

    RecordingTarget recorder{640, 480};
    size_t opsWhenEventsRan = 0;
    std::function<void()> duringEvents;
    std::string label;
    std::vector<std::string> calls;
};

// Draws onto the printer's page recorder, which outlives the job.
class FakeJob : public PrintJob {
public:
    FakeJob(RecordingTarget& page, bool& finished) : page_(page), finished_(finished) {}
    DrawTarget& page() override { return page_; }
    void finish() override { finished_ = true; }

private:
    RecordingTarget& page_;
    bool& finished_;
};

class FakePrinter : public PrintDevice {
public:
    std::unique_ptr<PrintJob> startPrinterJob(const std::string& docName) override
    {
        printerDoc = docName;
        if (!hasPrinter) return nullptr;
        page.clear();
        return std::make_unique<FakeJob>(page, finished);
    }
    std::unique_ptr<PrintJob> startPdfJob(const std::string& docName, std::string& path) override
    {
        pdfDoc = docName;
        if (!pdfWorks) return nullptr;
        path = "Print000.pdf";
        page.clear();
        return std::make_unique<FakeJob>(page, finished);
    }
    void setPageLabel(const std::string& caption) override { label = caption; }

    bool hasPrinter = true;
    bool pdfWorks = true;
    bool finished = false;
    std::string printerDoc, pdfDoc, label;
    RecordingTarget page{3000, 2000};
};

void Graphs(testing::RenderFixture& fx, int n)
{
    fx.declare(2);
    fx.grid(2, 2);
    for (int g = 1; g <= n; ++g) fx.addGraph("graph" + std::to_string(g), 1, {2});
}

bool HasText(const RecordingTarget& t, const std::string& text)
{
    return !t.select(RecordedOp::Kind::Text, [&](const RecordedOp& op) { return op.text == text; }).empty();
}

TEST(PictDraw, ClampsThePageAndLabelsIt)
{
    struct Case {
        int graphs, page, clamped;
        const char* label;
    };
    const Case cases[] = {{7, 3, 2, "Page 2/2"}, {7, 1, 1, "Page 1/2"}, {7, 0, 1, "Page 1/2"}, {0, 4, 1, "Page 1/0"},
                          {36, 9, 9, "Page 9/9"}};
    for (const Case& c : cases) {
        testing::RenderFixture fx;
        Graphs(fx, c.graphs);
        fx.s.iPage = c.page;
        FakeScreen screen;
        PictDraw(fx.s, screen);
        EXPECT_EQ(fx.s.iPage, c.clamped) << c.graphs << " " << c.page;
        EXPECT_EQ(screen.label, c.label);
        EXPECT_EQ(screen.calls,
                  (std::vector<std::string>{"erase", "label", "draw", "done", "events", "refresh", "readout"}));
    }
}

TEST(PictDraw, PendingEventsRunOnceTheTargetIsDoneWithMouseInputStillIgnored)
{
    testing::RenderFixture fx;
    Graphs(fx, 4);
    FakeScreen screen;
    int drErrDuringEvents = -1;
    screen.duringEvents = [&] { drErrDuringEvents = fx.s.drErr; };
    PictDraw(fx.s, screen);
    ASSERT_GT(screen.opsWhenEventsRan, 0u);
    EXPECT_EQ(screen.opsWhenEventsRan, screen.recorder.ops().size());
    EXPECT_EQ(drErrDuringEvents, 2);
    EXPECT_EQ(fx.s.drErr, 0);
}

TEST(PictDraw, DrawsTheGraphsOfTheCurrentPage)
{
    testing::RenderFixture fx;
    Graphs(fx, 7);
    fx.s.iPage = 2;
    FakeScreen screen;
    PictDraw(fx.s, screen);
    EXPECT_TRUE(HasText(screen.recorder, "graph5"));
    EXPECT_TRUE(HasText(screen.recorder, "graph7"));
    EXPECT_FALSE(HasText(screen.recorder, "graph4"));
}

TEST(PrntDraw, PrintsTheCurrentPageOnlyAsOneJob)
{
    testing::RenderFixture fx;
    Graphs(fx, 7);
    fx.s.iPage = 2;
    FakePrinter printer;
    EXPECT_EQ(PrntDraw(fx.s, printer), "");
    EXPECT_EQ(printer.printerDoc, "ZAN Graph");
    EXPECT_TRUE(printer.pdfDoc.empty());
    EXPECT_TRUE(printer.finished);
    EXPECT_TRUE(HasText(printer.page, "graph5"));
    EXPECT_FALSE(HasText(printer.page, "graph1"));
    EXPECT_TRUE(printer.label.empty());
}

TEST(PrntDraw, LeavesTheScreenLayoutForTheMouse)
{
    testing::RenderFixture fx;
    Graphs(fx, 4);
    FakeScreen screen;
    PictDraw(fx.s, screen);
    const zan::Session shown = fx.s;
    FakePrinter printer;
    PrntDraw(fx.s, printer);
    ASSERT_TRUE(HasText(printer.page, "graph1"));
    for (int w = 1; w <= 4; ++w) {
        EXPECT_EQ(fx.s.CellTab[static_cast<size_t>(w)].Right, shown.CellTab[static_cast<size_t>(w)].Right) << w;
        EXPECT_EQ(fx.s.CellTab[static_cast<size_t>(w)].Bottom, shown.CellTab[static_cast<size_t>(w)].Bottom) << w;
        EXPECT_EQ(fx.s.GrphTab[w].Xaxis.Ahi, shown.GrphTab[w].Xaxis.Ahi) << w;
    }
    EXPECT_EQ(fx.s.CurCell.Right, shown.CurCell.Right);
    EXPECT_EQ(fx.s.Yfoot, shown.Yfoot);
    EXPECT_EQ(fx.s.SizeUnit, shown.SizeUnit);
    EXPECT_EQ(fx.s.mx1, shown.mx1);
}

TEST(PrntDraw, WithoutAPrinterThePageGoesToAPdfFileNamedInTheLabel)
{
    testing::RenderFixture fx;
    Graphs(fx, 3);
    FakePrinter printer;
    printer.hasPrinter = false;
    EXPECT_EQ(PrntDraw(fx.s, printer), "Print000.pdf");
    EXPECT_EQ(printer.pdfDoc, "ZAN Graph");
    EXPECT_TRUE(printer.finished);
    EXPECT_EQ(printer.label, "Printed to Print000.pdf");

    printer.pdfWorks = false;
    printer.finished = false;
    EXPECT_EQ(PrntDraw(fx.s, printer), "");
    EXPECT_FALSE(printer.finished);
    EXPECT_EQ(printer.label, "Print failed");
}

TEST(PrntDraw, WritesNumberedPdfFiles)
{
    testing::RenderFixture fx;
    Graphs(fx, 2);
    QtPrintDevice device(fx.dir.folder(), false);
    std::string label;
    device.pageLabel = [&](const std::string& s) { label = s; };
    const std::string first = PrntDraw(fx.s, device);
    const std::string second = PrntDraw(fx.s, device);
    EXPECT_EQ(first, fx.dir.file("Print000.pdf"));
    EXPECT_EQ(second, fx.dir.file("Print001.pdf"));
    EXPECT_EQ(label, "Printed to " + second);
    std::ifstream in(first, std::ios::binary);
    std::string head(4, '\0');
    in.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    EXPECT_GT(std::filesystem::file_size(first), 1000u);
}

}  // namespace
}  // namespace zan::render
