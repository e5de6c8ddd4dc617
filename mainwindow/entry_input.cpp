#include "mainwindow/entry_input.h"

#include "book/fixed_text.h"
#include "book/text_encoding.h"

std::string upperCaseReference(const std::string& text) {
    return encoding::cutUtf8(encoding::inCapitals(text), EntryId{}.bytes.size());
}
