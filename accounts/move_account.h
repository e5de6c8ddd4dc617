// Reposting an account's lines onto another: each journal line whose number
// equals the first account's exactly is given the second's. The chart and the
// entry groups keep their numbers.
#pragma once

#include "book/book.h"

#include <optional>
#include <string>

struct MoveRequest {
    Currency from; // the first slot named as the first box; 0 when none
    Currency to;
};

// What the two boxes' texts ask for. Nothing (and no message) when either
// text is empty; a refusal message when the second names no numbered
// account, which would leave the lines without an account.
struct MoveChoice {
    std::optional<MoveRequest> request;
    std::string refusal;
};
MoveChoice chooseMove(const Book& book, const std::string& fromName, const std::string& toName);

// "Move Account 100 to 200, Are you sure ?", the numbers as the chart shows them.
std::string moveQuestion(const Book& book, const MoveRequest& r, const std::string& decimalMark);

// Gives every journal line numbered exactly `r.from` the number `r.to`;
// returns how many lines changed. It only overwrites numbers in place, so it
// cannot stop part-way; the caller marks the book changed.
int moveAccountLines(Book& book, const MoveRequest& r);
