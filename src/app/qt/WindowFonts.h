#pragma once

#include <QFont>

namespace zelk {

// The windows' fonts, with the nearest installed face where the Windows one is missing.
QFont windowFont();   // MS Sans Serif, 8 points
QFont titleFont();    // Comic Sans MS, 20.25 points, bold
QFont versionFont();  // MS Sans Serif, 12 points, bold

}  // namespace zelk
