#include "book/letter_html.h"

#include "book/html_text.h"
#include "platform/drawing_surface.h"

std::string letterHeadHtml(const Book& book, const std::vector<std::string>& addresseeLines) {
    auto q = [](const std::string& value) { return "\"" + value + "\""; };
    std::string h = "<html><body><br><br><font size=" + q("2") +
                    " face=" + q(htmlEscaped(book.FontName.str())) + "><p align=" + q("right") +
                    ">";
    h += "<b>" + htmlEscaped(book.BusinessName.str()) + "</b><br>";
    if (!book.BusinessAddress.str().empty())
        for (const std::string& line : splitTextLines(book.BusinessAddress.str()))
            h += htmlEscaped(line) + "<br>";
    h += "</p><br><br><p>";
    for (const std::string& line : addresseeLines)
        h += htmlEscaped(line) + "<br>";
    return h + "<br><br>";
}
