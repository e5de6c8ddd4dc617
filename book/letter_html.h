// The top of the program's letter-like web pages (the mailed invoice and the
// running balance): the business name and address on the right, then the
// addressee's lines.
#pragma once

#include "book/book.h"

#include <string>
#include <vector>

// The page's opening up to the addressee's lines and two line breaks after
// them, in the book's font; every text HTML-escaped. An empty business
// address gives no address lines.
std::string letterHeadHtml(const Book& book, const std::vector<std::string>& addresseeLines);
