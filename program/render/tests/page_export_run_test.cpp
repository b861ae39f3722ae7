#include "render/page_export.h"
#include "render/tests/ink_pixels.h"
#include "session/tests/session_fakes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace zan {
namespace {

// A folder with the demo run written by the example program.
class DemoFolder {
public:
    DemoFolder()
    {
        ok_ = dir_.isValid() && QProcess::execute(ZAN_EXAMPLES_BIN, {dir_.path()}) == 0;
    }
    bool ok() const { return ok_; }
    std::string file(const char* name) const { return dir_.filePath(name).toStdString(); }
    void writeSettings(const QByteArray& text) const
    {
        QFile f(dir_.filePath("Zan.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray settings() const
    {
        QFile f(dir_.filePath("Zan.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList entries() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

int Export(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    const ProgramArgs parsed = ParseProgramArgs(args);
    EXPECT_EQ(parsed.error, "");
    std::ostringstream o;
    std::ostringstream e;
    const int status = ExportPage(parsed, o, e);
    out = o.str();
    err = e.str();
    return status;
}

using zan::testing::InkPixels;

TEST(PageExport, DrawsTheAskedPageWithTheSettingsOfTheDataFolderAndLeavesThemUnwritten)
{
    DemoFolder demo;
    ASSERT_TRUE(demo.ok());
    // "Rows" holds the number of columns and "Columns" the number of rows.
    const QByteArray settings = "[Startup]\nRows= 1\nColumns= 1\n";
    demo.writeSettings(settings);
    const std::string png = demo.file("page.png");
    std::string out;
    std::string err;
    ASSERT_EQ(Export({"--export", png, "--size", "640x400", "--page", "3", demo.file("flight.bin")}, out, err), 0)
        << err;
    // One graph per page, one page per variable after the time.
    EXPECT_EQ(out, "Page 3/20 written to " + png + "\n");
    const QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 400));
    EXPECT_GT(InkPixels(image), 2000);
    EXPECT_EQ(demo.settings(), settings);
    EXPECT_EQ(demo.entries(), (QStringList{"Zan.ini", "flight.bin", "flight.csv", "flight.dat", "flight2.csv",
                                           "flight_c.bin", "page.png"}));
}

TEST(PageExport, WritesBitmapAndPdfAndClampsThePage)
{
    DemoFolder demo;
    ASSERT_TRUE(demo.ok());
    std::string out;
    std::string err;
    const std::string bmp = demo.file("page.bmp");
    ASSERT_EQ(Export({"--export", bmp, "--size", "300x200", "--page", "99", demo.file("flight.csv"),
                      demo.file("flight2.csv")},
                     out, err),
              0)
        << err;
    EXPECT_EQ(out.rfind("Page 4/4 written to", 0), 0u) << out;
    const QImage image(QString::fromStdString(bmp), "BMP");
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_GT(InkPixels(image), 500);

    const std::string pdf = demo.file("page.pdf");
    ASSERT_EQ(Export({"--export", pdf, demo.file("flight.dat")}, out, err), 0) << err;
    QFile file(QString::fromStdString(pdf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_GT(file.size(), 2000);
}

// Pages of a PDF: the page objects, not the tree of pages above them.
int PdfPageCount(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page\\b")));
}

TEST(PageExport, AllPagesGoIntoOnePdfOfOneSheetEach)
{
    DemoFolder demo;
    ASSERT_TRUE(demo.ok());
    std::string out;
    std::string err;
    const std::vector<std::string> files{demo.file("flight.csv"), demo.file("flight2.csv")};
    std::vector<std::string> args{"--export", demo.file("one.pdf")};
    args.insert(args.end(), files.begin(), files.end());
    ASSERT_EQ(Export(args, out, err), 0) << err;
    ASSERT_EQ(out.rfind("Page 1/", 0), 0u) << out;
    const int pages = std::stoi(out.substr(7));
    ASSERT_GT(pages, 1);
    EXPECT_EQ(PdfPageCount(demo.file("one.pdf")), 1);

    const std::string pdf = demo.file("report.pdf");
    args = {"--export", pdf, "--size", "800x500", "--page", "all"};
    args.insert(args.end(), files.begin(), files.end());
    ASSERT_EQ(Export(args, out, err), 0) << err;
    EXPECT_EQ(out, "Pages 1 to " + std::to_string(pages) + " of " + std::to_string(pages) + " written to " + pdf + "\n");
    EXPECT_EQ(PdfPageCount(pdf), pages);
}

TEST(PageExport, APageNumberInTheNameWritesEachPageToItsOwnFileInPageOrder)
{
    DemoFolder demo;
    ASSERT_TRUE(demo.ok());
    // "Rows" holds the number of columns and "Columns" the number of rows.
    demo.writeSettings("[Startup]\nRows= 4\nColumns= 2\n");
    std::string out;
    std::string err;
    ASSERT_EQ(Export({"--export", demo.file("all_%02d.png"), "--size", "400x300", "--page", "all",
                      demo.file("flight.bin")},
                     out, err),
              0)
        << err;
    // 20 graphs of 8 cells: 3 pages, each the image of a single-page export.
    EXPECT_EQ(out, "Page 1/3 written to " + demo.file("all_01.png") + "\nPage 2/3 written to " +
                       demo.file("all_02.png") + "\nPage 3/3 written to " + demo.file("all_03.png") + "\n");
    for (int page = 1; page <= 3; ++page) {
        const std::string single = demo.file("single.png");
        ASSERT_EQ(Export({"--export", single, "--size", "400x300", "--page", std::to_string(page),
                          demo.file("flight.bin")},
                         out, err),
                  0);
        const QImage expected(QString::fromStdString(single));
        const QImage got(QString::fromStdString(demo.file(("all_0" + std::to_string(page) + ".png").c_str())));
        EXPECT_EQ(got, expected) << "page " << page;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(demo.file("all_04.png"))));
}

TEST(PageExport, AllPagesFailWithAMessageWithoutDataOrWithoutAWritableFile)
{
    DemoFolder demo;
    ASSERT_TRUE(demo.ok());
    QFile(QString::fromStdString(demo.file("empty.csv"))).open(QIODevice::WriteOnly);
    std::string out;
    std::string err;
    const std::string pdf = demo.file("report.pdf");
    EXPECT_EQ(Export({"--export", pdf, "--page", "all", demo.file("empty.csv")}, out, err), 1);
    EXPECT_NE(err.find("the data files could not be loaded"), std::string::npos) << err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));

    // A folder in the way of the file, and a folder that does not exist.
    QDir(QString::fromStdString(demo.file(""))).mkdir("taken.pdf");
    for (const std::string& target : {demo.file("taken.pdf"), demo.file("none/report.pdf")}) {
        EXPECT_EQ(Export({"--export", target, "--page", "all", demo.file("flight.csv")}, out, err), 1) << target;
        EXPECT_EQ(err.rfind("zan: cannot write " + target + ": ", 0), 0u) << err;
        EXPECT_EQ(out, "");
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(demo.file("none/report.pdf"))));
}

TEST(PageExport, FailsWithAMessageWhenNoDataFileExists)
{
    QTemporaryDir dir;
    std::string out;
    std::string err;
    const std::string png = dir.filePath("p.png").toStdString();
    EXPECT_EQ(Export({"--export", png, dir.filePath("missing.bin").toStdString()}, out, err), 1);
    EXPECT_NE(err.find("none of the data files exists"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(png)));
}

TEST(PageExport, FilesThatGiveNoDataAreNamedAndTheExportFails)
{
    DemoFolder demo;
    ASSERT_TRUE(demo.ok());
    QFile(QString::fromStdString(demo.file("empty.csv"))).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::copy(QString::fromStdString(demo.file("flight.bin")), QString::fromStdString(demo.file("noext"))));
    std::string out;
    std::string err;
    const std::string png = demo.file("page.png");
    // The page is written for the file that loaded, and still the export fails.
    EXPECT_EQ(Export({"--export", png, demo.file("flight.csv"), demo.file("empty.csv"), demo.file("noext"),
                      demo.file("gone.csv")},
                     out, err),
              1);
    EXPECT_NE(err.find("empty.csv: the file is empty"), std::string::npos) << err;
    EXPECT_NE(err.find("noext: the file name has no extension"), std::string::npos) << err;
    EXPECT_NE(err.find("gone.csv: no such file"), std::string::npos) << err;
    EXPECT_TRUE(QFile::exists(QString::fromStdString(png)));

    // Nothing loaded: no page at all.
    const std::string none = demo.file("none.png");
    EXPECT_EQ(Export({"--export", none, demo.file("empty.csv")}, out, err), 1);
    EXPECT_NE(err.find("empty.csv: the file is empty"), std::string::npos) << err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(none)));
}

TEST(PageExport, TellsOnTheErrorStreamWhatALoadSkipped)
{
    testing::TempFolder dir;
    const std::string shifted = dir.write("shifted.csv", "Run 7\n# made by a test\ntime,x\n0,1\n1\n2,3\n");
    const std::string lost = dir.write("lost.csv", "time,x\n0,1\n1,2\n2,3,4\n3,4\n4,5\n");
    ProgramArgs args = ParseProgramArgs({"--export", dir.file("page.png"), shifted, lost});
    ASSERT_EQ(args.error, "");
    std::ostringstream out;
    std::ostringstream err;
    ExportPage(args, out, err);
    const std::string text = err.str();
    EXPECT_NE(text.find("zan: shifted.csv: names from line 3, 2 rows stored, 2 skipped\n"), std::string::npos) << text;
    EXPECT_NE(text.find("lost.csv: names from line 4, 0 rows stored, 5 skipped"), std::string::npos) << text;
}

} // namespace
} // namespace zan
