#include "render/font_faces.h"

#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <cmath>
#include <mutex>

namespace zan::render {

namespace {

// Size used when a record asks for height 0: the device's default text size.
constexpr int kDefaultPixelSize = 16;

struct Substitution {
    const char* face;
    const char* fonts[3];
};

// Liberation fonts share the advance widths of the faces they replace, so
// label widths and thinning come out as on the original system.
constexpr Substitution kSubstitutions[] = {
    {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"Times New Roman", {"Liberation Serif", "Tinos", "DejaVu Serif"}},
    {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
    {"Georgia", {"DejaVu Serif", "Liberation Serif", nullptr}},
    {"Tahoma", {"DejaVu Sans", "Liberation Sans", nullptr}},
    {"Calibri", {"Carlito", "DejaVu Sans", "Liberation Sans"}},
    {"Verdana", {"DejaVu Sans", "Liberation Sans", nullptr}},
};

}  // namespace

void InstallFaceSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const Substitution& s : kSubstitutions) {
            QStringList list;
            for (const char* f : s.fonts) {
                if (f) list << QString::fromLatin1(f);
            }
            QFont::insertSubstitutions(QString::fromLatin1(s.face), list);
        }
    });
}

QFont MakeQFont(const FontSpec& wanted)
{
    InstallFaceSubstitutions();
    QString face = QString::fromLatin1(wanted.face.c_str()).trimmed();
    bool bold = false;
    const QString boldSuffix = QStringLiteral(" bold");
    if (face.endsWith(boldSuffix, Qt::CaseInsensitive)) {
        face.chop(boldSuffix.size());
        bold = true;
    }
    QFont font(face);
    font.setBold(bold);

    int pixels = kDefaultPixelSize;
    if (wanted.height < 0) {
        pixels = -wanted.height;
    } else if (wanted.height > 0) {
        // A positive height is the cell height: scale the em size so that
        // ascent plus descent come to it.
        QFont probe = font;
        probe.setPixelSize(100);
        const double cell = QFontMetricsF(probe).height();
        pixels = cell > 0 ? static_cast<int>(std::lround(wanted.height * 100.0 / cell)) : wanted.height;
    }
    font.setPixelSize(pixels < 1 ? 1 : pixels);
    return font;
}

}  // namespace zan::render
