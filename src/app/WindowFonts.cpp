#include "app/WindowFonts.h"

#include <QStringList>

namespace zelk {
namespace {

void substituteMissingFaces() {
    static const bool done = [] {
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
             QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(
            QStringLiteral("Comic Sans MS"),
            {QStringLiteral("Comic Neue"), QStringLiteral("Comic Relief"),
             QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)done;
}

QFont font(const char* family, qreal points, bool bold) {
    substituteMissingFaces();
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

}  // namespace

QFont windowFont() {
    return font("MS Sans Serif", 8, false);
}
QFont titleFont() {
    return font("Comic Sans MS", 20.25, true);
}
QFont versionFont() {
    return font("MS Sans Serif", 12, true);
}

}  // namespace zelk
