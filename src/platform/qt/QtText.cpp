#include "platform/qt/QtText.h"

#include <QFile>

namespace zelk {

QString toQString(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string fromQString(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

}  // namespace zelk
