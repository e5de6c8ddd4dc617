// Python source the file readers of the tests share: a class `Text` that
// gathers every text piece an HTML page shows in `parts`. A script that takes
// it imports HTMLParser from html.parser first.
#pragma once

namespace testing_support {

inline const char* const HtmlTextClass = R"(
class Text(HTMLParser):
    def __init__(self):
        super().__init__()
        self.parts = []
    def handle_data(self, data):
        self.parts.append(data)
)";

} // namespace testing_support
