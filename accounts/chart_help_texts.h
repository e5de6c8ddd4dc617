// The help the chart-of-accounts editor shows in help mode: a title and a
// text per control, per class, and the chart's own help.
#pragma once

#include <string>

struct ChartHelp {
    std::string title;
    std::string text;
};

ChartHelp chartHelp();         // the help menu's "Setting Up Accounts..."
ChartHelp noteHelp();          // the note box
ChartHelp nameHelp();          // a name box
ChartHelp folioHelp();         // a number box
ChartHelp dashHelp();          // the sub-account dash check box
ChartHelp classHelp(int type); // a class label (0..8)
