// The one place where the core's Windows-1252 text meets QString.
#pragma once

#include <QString>
#include <string>

#include "base/cp1252.h"

namespace tarvo {

inline QString Q(const std::string& ansi) { return QString::fromStdString(AnsiToUtf8(ansi)); }
inline std::string A(const QString& text) { return Utf8ToAnsi(text.toStdString()); }

}  // namespace tarvo
