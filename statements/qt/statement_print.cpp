#include "statements/qt/statement_print.h"

#include "book/runtime_state.h"
#include "platform/printer_choices.h"
#include "platform/qt/printer_factory.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/Printformer.h"

namespace {

constexpr int TriesPerCopy = 3;

struct ScaleBack {
    RunTimeState& run;
    ~ScaleBack() { run.PrintScale = 1.0f; }
};

} // namespace

int printStatement(QWidget* owner, RunTimeState& run, Printformer& setup,
                   const std::function<void(DrawingSurface&)>& draw) {
    const auto asked = setup.ask(owner);
    if (!asked) return 0;
    ScaleBack back{run};
    run.PrintScale = static_cast<float>(asked->zoom);
    int printed = 0;
    for (int copy = 1; copy <= asked->copies; ++copy) {
        PrintOutcome done;
        for (int attempt = 1; attempt <= TriesPerCopy; ++attempt) {
            done = pointer::whileBusy([&] { return printCopy(asked->printer, copy, draw); });
            if (done) break;
            tellPrintFailure(done);
            // A printer may come back; a file that cannot be written will not.
            if (!done.failedFile.empty()) break;
        }
        if (!done) break;
        ++printed;
    }
    return printed;
}
