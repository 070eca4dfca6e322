#include "summary_report.h"

#include "data/dataset.h"
#include "platform/locale.h"
#include "platform/message_service.h"
#include "reports/report_lines.h"
#include "reports/report_preview.h"

#include <QApplication>
#include <QDateTime>
#include <QPrinter>
#include <QPrinterInfo>

namespace meru {

namespace {

std::unique_ptr<QPrinter> systemDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

SummaryReport::PrinterSource& printerSource() {
    static SummaryReport::PrinterSource source;
    return source;
}

// The system's short date, a blank and its long time without the time zone.
QString printedAt(const QDateTime& now) {
    const QLocale locale = platform::appLocale();
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QLatin1Char('t'));
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(now.time(), time.trimmed());
}

}  // namespace

SummaryReport::SummaryReport(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("QuickRep1")); }

report::Content SummaryReport::build() const {
    report::Content content;
    if (dataset_) content.lines = report::readLines(*dataset_);
    content.printedAt = printedAt(QDateTime::currentDateTime());
    return content;
}

void SummaryReport::Preview() {
    QPrinter printer(QPrinter::HighResolution);
    report::ReportPreview preview(build(), &printer, QApplication::activeWindow());
    preview.exec();
}

void SummaryReport::Print() {
    std::unique_ptr<QPrinter> printer = printerSource() ? printerSource()() : systemDefaultPrinter();
    if (!printer) {
        platform::messages().inform(QString::fromUtf8(
            "Não há impressora instalada neste computador; o relatório não foi impresso.\r"
            "Use \"Vizualizar Nota F.\" e salve o relatório em PDF."));
        return;
    }
    report::printReport(*printer, build());
}

void SummaryReport::savePdf(const QString& fileName) { report::writePdf(fileName, build()); }

void SummaryReport::setPrinterSource(PrinterSource source) { printerSource() = std::move(source); }

}  // namespace meru
