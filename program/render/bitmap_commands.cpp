#include "render/bitmap_commands.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cstdio>

namespace zan {

std::string BitmapName(int saveNum)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "Out%03d.bmp", saveNum);
    return buf;
}

bool SavePicture(const QImage& picture, int& saveNum,
                 const std::function<void(const std::string&)>& showCaption)
{
    const std::string name = BitmapName(saveNum);
    showCaption("Saving...");
    if (!picture.save(QString::fromStdString(name), "BMP")) {
        showCaption("Cannot write " + name);
        return false;
    }
    showCaption(name);
    ++saveNum;
    return true;
}

void PasteAnd(QImage& picture, const QImage& pasted)
{
    if (picture.isNull() || pasted.isNull())
        return;
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    const QImage source = pasted.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(picture.width(), source.width());
    const int height = std::min(picture.height(), source.height());
    for (int y = 0; y < height; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x)
            dst[x] = (dst[x] & src[x]) | 0xff000000u;
    }
}

void CopyPicture(const QImage& picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(picture);
}

bool PastePicture(QImage& picture)
{
    const QImage pasted = QGuiApplication::clipboard()->image();
    if (pasted.isNull())
        return false;
    PasteAnd(picture, pasted);
    return true;
}

} // namespace zan
