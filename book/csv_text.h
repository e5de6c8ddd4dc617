// Comma-separated text as the exports write it (RFC 4180).
#pragma once

#include <string>
#include <vector>

// One field: quoted when it holds a comma, a quote, CR or LF, quotes doubled.
std::string csvField(const std::string& text);
// A line of fields joined by commas, ending in CR LF.
std::string csvLine(const std::vector<std::string>& fields);
