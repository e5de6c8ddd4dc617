#include "toolkit/qt/print_command.h"

#include "book/print_scale_guard.h"
#include "platform/qt/printer_factory.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/Printformer.h"

Printformer& printSetupOf(const std::function<Printformer*()>& shared, Printformer*& own,
                          QWidget* window, RunTimeState& run) {
    if (Printformer* program = shared ? shared() : nullptr) return *program;
    if (!own) own = new Printformer(run, window);
    return *own;
}

bool printThroughSetup(Printformer& setup, QWidget* owner, RunTimeState& run,
                       const std::string& jobName,
                       const std::function<void(DrawingSurface&, double zoom)>& draw) {
    const std::optional<Printformer::Result> asked = setup.ask(owner);
    if (!asked) return false;
    const PrintScaleGuard scale(run, asked->zoom);
    const PrintOutcome printed = pointer::whileBusy([&] {
        return printCopies(asked->printer, asked->copies, jobName,
                           [&](DrawingSurface& s) { draw(s, asked->zoom); });
    });
    if (!printed) tellPrintFailure(printed);
    return printed.printed;
}
