// Alt with a character types nothing into a text box: the key belongs to the
// menus (Alt and a title's underlined letter), whether or not one takes it.
#pragma once

class QCoreApplication;

// Installed once on the application, for every window and dialog it shows.
void keepAltKeysFromTextBoxes(QCoreApplication& application);
