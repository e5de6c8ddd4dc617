#include "toolkit/qt/pdf_file_dialog.h"

#include <QFileDialog>

namespace {

PdfFileChooser& replacement() {
    static PdfFileChooser chooser;
    return chooser;
}

} // namespace

std::string askPdfFile(QWidget* parent, const std::string& proposedName, int copies) {
    if (replacement()) return askPdfOutputFile(proposedName, copies, replacement());
    return askPdfOutputFile(proposedName, copies, [parent](const std::string& proposed) {
        // Replacing a file is asked by askPdfOutputFile, of the name it ends
        // up with, so the window does not ask too.
        return QFileDialog::getSaveFileName(parent, "Print to PDF File",
                                            QString::fromStdString(proposed), "PDF (*.pdf)",
                                            nullptr, QFileDialog::DontConfirmOverwrite)
            .toStdString();
    });
}

PdfFileChooser replacePdfFileDialog(PdfFileChooser chooser) {
    std::swap(chooser, replacement());
    return chooser;
}
