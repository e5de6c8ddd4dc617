// The printer and its settings as the print setup leaves them for the next
// print job, and what the program knows of each printer it can choose.
#pragma once

#include <string>
#include <vector>

// The printer that is always offered: it writes the pages to a PDF file.
inline const std::string PdfPrinterName = "PDF file";

// Codes of the printer settings.
enum PrintOrientation { Portrait = 1, Landscape = 2 };
enum PrintColorMode { Monochrome = 1, Color = 2 };
enum PrintQuality { DraftQuality = -1, LowQuality = -2, MediumQuality = -3, HighQuality = -4 };

// A sheet a printer feeds that no paper code stands for: the printer's own
// name for it and its size as fed.
struct PrinterPaper {
    std::string name;
    double widthMm = 0;
    double heightMm = 0;
    friend bool operator==(const PrinterPaper&, const PrinterPaper&) = default;
};

struct PrinterChoices {
    std::string printerName = PdfPrinterName;
    int paperCode = 9;     // A4; 0: the printer's own paper below
    PrinterPaper ownPaper; // when paperCode is 0
    int orientation = Portrait;
    int colorMode = Color;
    int quality = HighQuality;
    bool duplex = false; // true = print on both sides (long edge)
    std::string pdfPath; // the PDF printer's output file
    friend bool operator==(const PrinterChoices&, const PrinterChoices&) = default;
};

struct PrinterCapabilities {
    std::string name;
    std::vector<int> paperCodes;         // accepted paper codes, ascending
    std::vector<PrinterPaper> ownPapers; // its sheets that no paper code stands for
    int currentPaperCode = 0;            // the printer's own paper before any choice (0 = unknown)
    std::string currentOwnPaper;         // the name of that paper when it is one of ownPapers
    bool color = true;
    bool duplex = false;
};

// Dots per inch a print quality stands for.
inline int resolutionForQuality(int quality) {
    switch (quality) {
    case DraftQuality:
        return 150;
    case LowQuality:
        return 300;
    case MediumQuality:
        return 600;
    default:
        return 1200;
    }
}

// The file that copy `copy` (1, 2, ...) of a print command writes on the PDF
// printer: the first copy the chosen file, later ones "name-2.pdf" and so on.
std::string pdfPathForCopy(const std::string& path, int copy);
