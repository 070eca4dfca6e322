#pragma once
// The preview window of the summary report: the pages as they will print, with
// zoom and paging, printing and saving the report as a PDF file.

#include "reports/report_layout.h"

#include <QPrintPreviewDialog>

class QAction;
class QPrinter;

namespace meru::report {

class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    ReportPreview(Content content, QPrinter* printer, QWidget* parent = nullptr);

    // "Salvar em PDF...": asks for a file name and writes the report there.
    QAction* savePdfAction() const { return savePdf_; }
    const Content& content() const { return content_; }

private:
    void paint(QPrinter* printer);
    void savePdf();

    Content content_;
    QAction* savePdf_;
};

// Lays out `printer` as the report's page and draws the report on it; raises
// when the printer cannot be painted on.
void printReport(QPrinter& printer, const Content& content);
// Writes the report as a PDF file; raises when the file cannot be written.
void writePdf(const QString& fileName, const Content& content);

}  // namespace meru::report
