// What the progress window shows for a progress value (its bar width in
// twips, 29 per step, 2900 at 100 %).
#pragma once

#include <cstdint>
#include <string>

constexpr std::int32_t ProgressPerStep = 29;
constexpr std::int32_t ProgressFull = 2900;
constexpr std::int32_t ProgressFrameWidth = 3015; // twips; the bar is cut off there

// The whole percent of the value, kept within 0..100, and "%": 2900 and more give "100%".
std::string progressPercentText(std::int32_t progressValue);
// A percentage text as a caller made it, held to at most "100%" (and at least "0%").
std::string capPercentText(const std::string& text);
// The bar's width in twips as drawn: the value, within 0 and the frame's width.
std::int32_t progressBarTwips(std::int32_t progressValue);
