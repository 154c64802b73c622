#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kelvane {

// Text crosses between the plain C++ logic (UTF-8 std::string) and the
// widgets (QString) only through these two.
inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
inline std::string stdText(const QString& text) {
    return text.toStdString();
}

}  // namespace kelvane
