// Menus added to a window's menu bar with an access key each (access_keys.h).
#pragma once

class QMenu;
class QMenuBar;
class QString;

// Adds a menu titled `title` to `bar`, its title given a letter no other
// menu of the bar has taken.
QMenu* addMenuWithAccessKey(QMenuBar* bar, const QString& title);
