#include "accounts/move_account.h"

#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/number_format.h"
#include "book/tmain.h"

MoveChoice chooseMove(const Book& book, const std::string& fromName, const std::string& toName) {
    MoveChoice c;
    if (fromName.empty() || toName.empty()) return c;
    const Currency to = Tmain::AccountNumberByName(book, toName);
    if (!isAccountNumber(to)) {
        c.refusal = "No account with a Folio number is named \"" + toName +
                    "\": the entries were not moved.";
        return c;
    }
    c.request = MoveRequest{Tmain::AccountNumberByName(book, fromName), to};
    return c;
}

std::string moveQuestion(const Book& book, const MoveRequest& r, const std::string& decimalMark) {
    return "Move Account " + folioText(book, r.from, decimalMark) + " to " +
           folioText(book, r.to, decimalMark) + ", Are you sure ?";
}

int moveAccountLines(Book& book, const MoveRequest& r) {
    int moved = 0;
    for (EntryLine& line : book.EntryLines)
        if (line.AccountNumber == r.from) {
            line.AccountNumber = r.to;
            ++moved;
        }
    return moved;
}
