#include "app/qt/WindowFonts.h"

#include "app/WindowLayout.h"

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

QFont font(const layout::FontStyle& style) {
    substituteMissingFaces();
    QFont result(style.family);
    result.setPointSizeF(style.points);
    result.setBold(style.bold);
    return result;
}

}  // namespace

QFont windowFont() {
    return font(layout::kWindowFont);
}
QFont titleFont() {
    return font(layout::kTitleFont);
}
QFont versionFont() {
    return font(layout::kVersionFont);
}

}  // namespace zelk
