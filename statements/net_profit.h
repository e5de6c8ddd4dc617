// The net profit the period roll-over shares among the capital accounts: the
// income statement's sums over all dates (statements/income_statement.h).
#pragma once

#include "statements/income_statement.h"
