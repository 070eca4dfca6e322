#pragma once
// The summary report of the invoices a view shows: one line per row, previewed
// in a window, printed at once on the default printer, or saved as PDF.

#include "data/dataset.h"
#include "reports/report_layout.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QPrinter;

namespace meru {

class SummaryReport : public QObject {
    Q_OBJECT
public:
    explicit SummaryReport(QObject* parent = nullptr);

    Dataset* dataSet() const { return dataset_; }
    void setDataSet(Dataset* dataset) { dataset_ = dataset; }

    // The report as of now: the view's rows and the date and time of printing.
    report::Content build() const;

    // Shows the report in a modal preview window; returns when it is closed.
    void Preview();
    // Prints the report at once on the default printer, without a dialog. With no
    // printer a box says so and points to the preview's PDF.
    void Print();
    // Writes the report as a PDF file; raises when it cannot.
    void savePdf(const QString& fileName);

    // The printer that "Imprimir" prints on: the system's default one, or nullptr
    // when there is none. Tests put a PDF file in its place; an empty source
    // restores the system's.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
    static void setPrinterSource(PrinterSource source);

private:
    QPointer<Dataset> dataset_;
};

}  // namespace meru
