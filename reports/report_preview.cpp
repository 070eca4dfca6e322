#include "report_preview.h"

#include "platform/guarded.h"

#include <QAction>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QToolBar>

#include <stdexcept>

namespace meru::report {

namespace {

void paintOn(QPrinter& printer, const Content& content) {
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(QString::fromUtf8("Não foi possível imprimir o relatório em \"%1\".")
                                     .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                              : printer.outputFileName())
                                     .toStdString());
    drawReport(painter, printer, content);
    painter.end();
}

}  // namespace

void printReport(QPrinter& printer, const Content& content) {
    // A printer that cannot take the margins keeps its own; the band positions hold.
    if (!printer.setPageLayout(pageLayout())) {
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Portrait);
    }
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    paintOn(printer, content);
}

void writePdf(const QString& fileName, const Content& content) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setCreator(QStringLiteral("MERU - Caldeno"));
    printer.setDocName(QString::fromUtf8("Relatório Sintético de Notas do Sistema"));
    printReport(printer, content);
}

ReportPreview::ReportPreview(Content content, QPrinter* printer, QWidget* parent)
    : QPrintPreviewDialog(printer, parent), content_(std::move(content)) {
    setObjectName(QStringLiteral("qr_nota_preview"));
    setWindowTitle(QString::fromUtf8("Relatório Sintético de Notas do Sistema"));
    printer->setPageLayout(pageLayout());
    savePdf_ = new QAction(QString::fromUtf8("Salvar em PDF..."), this);
    savePdf_->setObjectName(QStringLiteral("savePdf"));
    savePdf_->setToolTip(QString::fromUtf8("Salvar o relatório em um arquivo PDF"));
    savePdf_->setIcon(QIcon::fromTheme(QStringLiteral("document-save-as")));
    if (auto* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(savePdf_);
    }
    connect(savePdf_, &QAction::triggered, this, platform::guarded([this] { savePdf(); }));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            platform::guarded([this](QPrinter* p) { paint(p); }));
    resize(900, 700);
}

void ReportPreview::paint(QPrinter* printer) {
    printer->setPageLayout(pageLayout());
    paintOn(*printer, content_);
}

void ReportPreview::savePdf() {
    QFileDialog dialog(this, QString::fromUtf8("Salvar relatório em PDF"), QString(),
                       QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("savePdfDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.selectFile(QStringLiteral("relatorio-notas.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    writePdf(dialog.selectedFiles().constFirst(), content_);
}

}  // namespace meru::report
