// The main window's texts are UTF-8 standard strings; Qt's controls take QString.
#pragma once

#include <QString>

#include <string>

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
