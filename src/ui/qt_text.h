#pragma once
// Conversions between the program's UTF-8 strings and Qt's strings.

#include <QString>
#include <string>

namespace kravelo {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

}  // namespace kravelo
