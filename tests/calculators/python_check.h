// Checks worked out by Python's decimal module: a script and its cases are
// written to a scratch folder and run with Debian's own python3.
#pragma once

#include "support/test_paths.h"

#include <string>

namespace calculator_tests {

// Runs `script` with the path of a file holding `cases` as its argument;
// returns the exit status and fills `output` with what it printed.
inline int runPythonCheck(const char* script, const std::string& cases, std::string* output) {
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "cases.txt", cases);
    testing_support::writeFile(dir / "check.py", script);
    return testing_support::runCommand(testing_support::systemPython() + " " +
                                           (dir / "check.py").string() + " " +
                                           (dir / "cases.txt").string() + " 2>&1",
                                       output);
}

} // namespace calculator_tests
