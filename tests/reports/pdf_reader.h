#pragma once
// Reads a PDF back with Poppler's command-line tools (poppler-utils): the words
// with their boxes (pdftotext -bbox) and a page as a grey image (pdftoppm).

#include <QImage>
#include <QString>

#include <vector>

namespace meru::test {

struct PdfWord {
    int page;  // from 1
    double left, top, right, bottom;  // millimetres from the page's top-left corner
    QString text;
};

// The words of a page that share a baseline, left to right.
struct PdfLine {
    int page;
    double top;
    std::vector<PdfWord> words;
    QString text() const;  // the words joined by blanks
};

struct PdfDocument {
    int pages = 0;
    double pageWidth = 0, pageHeight = 0;  // millimetres, of the first page
    std::vector<PdfWord> words;
    std::vector<PdfLine> lines;  // page by page, top to bottom
    std::vector<PdfLine> linesOf(int page) const;
};

// Raises (through a failed assertion message) when the tools are missing.
PdfDocument readPdf(const QString& path);
// Page `page` (from 1) at `dpi`, in shades of grey.
QImage renderPage(const QString& path, int page, int dpi);

}  // namespace meru::test
