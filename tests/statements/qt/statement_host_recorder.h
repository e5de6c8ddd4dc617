// A statement host that records the drill-downs asked of it.
#pragma once

#include "statements/qt/statement_host.h"

#include <string>
#include <vector>

struct LedgerRecorder {
    std::vector<LedgerRequest> requests;
    std::vector<std::string> accounts{"Cash", "Bank", "Sales"};
    StatementHost host() {
        StatementHost h;
        h.openLedger = [this](const LedgerRequest& r) { requests.push_back(r); };
        h.accountNames = [this] { return accounts; };
        return h;
    }
};
