// Driving the statement windows in tests: mouse events on the client area at
// a place given in twips, the print setup answered while it is shown, a
// picture of the window under the build folder's screenshots.
#pragma once

#include "platform/fake/fake_services.h"
#include "statements/qt/statement_canvas.h"
#include "support/pdf_text.h"
#include "support/test_paths.h"
#include "toolkit/qt/LoadSave.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/dialog_driving.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <string>

namespace statement_driving {

inline QPoint pixelAt(double xTwips, double yTwips) {
    return QPoint(pixelsOf(xTwips), pixelsOf(yTwips));
}

inline void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A click without movement: press and release at one place.
inline void click(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonPress, at, button);
    mouse(w, QEvent::MouseButtonRelease, at, button);
}

inline void hover(QWidget* w, QPoint at) {
    mouse(w, QEvent::MouseMove, at, Qt::NoButton);
}

// While the print setup is shown: the PDF printer (or `printer`) chosen,
// `meanwhile` run, and Print pressed.
inline void answerPrintSetupWithPdf(
    Printformer& setup, const QString& zoom = "100%", const std::string& printer = PdfPrinterName,
    const std::function<void()>& meanwhile = [] {}) {
    QTimer::singleShot(0, &setup, [&setup, zoom, printer, meanwhile] {
        setup.printerChosen(printer);
        meanwhile();
        setup.PxSize->setCurrentText(zoom);
        setup.printClicked();
    });
}

// Runs `print` with the PDF printer chosen at `zoom` and returns the text
// pdftotext reads from the file ("" when nothing readable was printed).
// `title`, when given, gets the PDF's title (the print job's name) and a line end.
inline std::string printedPdfText(ScopedFakeServices& fakes, Printformer& setup, QAction* print,
                                  const QString& zoom = "100%", std::string* title = nullptr) {
    testing_support::TempDir dir;
    const std::string pdf = (dir / "printed.pdf").string();
    fakes.environment.vars["LW_PDF_OUTPUT"] = pdf;
    answerPrintSetupWithPdf(setup, zoom);
    print->trigger();
    std::string text;
    if (title)
        testing_support::runCommand("pdfinfo '" + pdf + "' | sed -n 's/^Title: *//p'", title);
    if (testing_support::readPdfText(pdf, &text) != 0) return {};
    return text;
}

// When the program's file dialog shows next: `path` typed, `type` chosen, accepted.
inline void answerFileDialog(const std::filesystem::path& path, const std::string& type) {
    QTimer::singleShot(0, [path, type] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<LoadSave*>(w);
            if (!d || !d->isVisible()) continue;
            d->typeChosen(d->Combo1->findText(QString::fromStdString("*." + type)));
            d->txtSearchSpec->setText(QString::fromStdString(path.string()));
            d->acceptClicked();
        }
    });
}

using dialog_driving::saveScreenshot;

} // namespace statement_driving
