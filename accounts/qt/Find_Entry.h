// The search window: a text to find in the entries' notes or references
// (SearchMode, set by the opener), with the texts searched before in its
// list. Find sends the search to a freshly loaded search-result journal
// window and leaves this window up for the next search.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
struct Book;

struct SearchHost {
    const Book* book = nullptr;
    // Unloads the search-result window and loads it afresh, unshown, to
    // search for `text` at every build.
    std::function<QWidget*(const std::string& text)> freshResultsWindow;
    // Whether the search compares references (SearchMode 1): the box then
    // takes what a reference holds.
    std::function<bool()> searchesReferences;
};

class Find_Entry : public QWidget {
    Q_OBJECT
  public:
    explicit Find_Entry(SearchHost host, QWidget* owner = nullptr);

    QLabel* Label1;
    QComboBox* Text1;
    QPushButton* Command2; // Find
    QPushButton* Command3; // Cancel

    // Runs the search for the text of Text1; the result window it showed.
    QWidget* Command2_Click();
    void Command3_Click();

  private:
    SearchHost host_;
};
