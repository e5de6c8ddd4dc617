#include "toolkit/qt/menu_access.h"

#include "toolkit/access_keys.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include <string>

QMenu* addMenuWithAccessKey(QMenuBar* bar, const QString& title) {
    std::string taken;
    for (const QAction* menu : bar->actions())
        if (const char letter = accessKeyOf(menu->text().toStdString())) taken += letter;
    return bar->addMenu(QString::fromStdString(titleWithAccessKey(title.toStdString(), taken)));
}
