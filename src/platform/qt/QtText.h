#pragma once

#include <QString>
#include <string>

namespace zelk {

// Text crossing between the program's 8-bit strings (file names as the system spells them)
// and Qt.
QString toQString(const std::string& text);
std::string fromQString(const QString& text);

}  // namespace zelk
