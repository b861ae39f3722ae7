#include "render/bitmap_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(BitmapName, CountsWithAtLeastThreeDigits)
{
    const std::pair<int, const char*> cases[] = {
        {0, "Out000.bmp"}, {7, "Out007.bmp"}, {42, "Out042.bmp"}, {999, "Out999.bmp"}, {1000, "Out1000.bmp"}};
    for (const auto& [number, name] : cases)
        EXPECT_EQ(BitmapName(number), name);
}

TEST(SavePicture, ThreeSavesWriteThreeNumberedBitmapsInTheCurrentFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(3, 4, qRgb(255, 0, 0));
    int saveNum = 0;
    std::vector<std::string> captions;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(SavePicture(picture, saveNum, [&](const std::string& c) { captions.push_back(c); }));
    QDir::setCurrent(before);

    EXPECT_EQ(saveNum, 3);
    EXPECT_EQ(captions, (std::vector<std::string>{"Saving...", "Out000.bmp", "Saving...", "Out001.bmp",
                                                  "Saving...", "Out002.bmp"}));
    for (const char* name : {"Out000.bmp", "Out001.bmp", "Out002.bmp"}) {
        QImage back(dir.filePath(name), "BMP");
        ASSERT_FALSE(back.isNull()) << name;
        EXPECT_EQ(back.size(), picture.size());
        EXPECT_EQ(back.pixel(3, 4) & 0xffffff, 0xff0000u);
    }
}

TEST(SavePicture, AFileThatCannotBeWrittenIsReportedAndKeepsTheNumber)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder of the bitmap's name makes the write fail.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Out005.bmp"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    int saveNum = 5;
    std::string last;
    const bool saved = SavePicture(picture, saveNum, [&](const std::string& c) { last = c; });
    QDir::setCurrent(before);
    EXPECT_FALSE(saved);
    EXPECT_EQ(saveNum, 5);
    EXPECT_EQ(last, "Cannot write Out005.bmp");
}

TEST(PasteAnd, CombinesPixelsByBitwiseAnd)
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0x0f, 0xf0, 0x33));
    QImage pasted(2, 5, QImage::Format_RGB32);  // taller than the picture
    pasted.fill(Qt::white);
    pasted.setPixel(0, 0, qRgb(0xff, 0x3c, 0x0f));
    pasted.setPixel(1, 2, qRgb(0, 0, 255));

    PasteAnd(picture, pasted);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0x0f, 0x30, 0x03));
    EXPECT_EQ(picture.pixel(1, 2), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(3, 2), qRgb(255, 255, 255));
    EXPECT_EQ(picture.size(), QSize(4, 3));
}

TEST(PasteAnd, PastingAPictureOntoItselfChangesNothing)
{
    QImage picture(30, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            picture.setPixel(x, y, qRgb(x * 8, y * 12, (x * y) & 0xff));
    const QImage copy = picture.copy();
    PasteAnd(picture, copy);
    EXPECT_EQ(picture, copy);
}

} // namespace
} // namespace zan
