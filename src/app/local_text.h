// Texts between the conversion core, which names files and words messages in the system's
// 8-bit encoding, and Qt's Unicode strings.
#pragma once

#include <QFile>
#include <QString>
#include <string>

namespace obscut {

inline QString FromLocalText(const std::string& text) {
  return QFile::decodeName(QByteArray::fromStdString(text));
}

inline std::string ToLocalText(const QString& text) {
  return QFile::encodeName(text).toStdString();
}

}  // namespace obscut
