#include "pdf_reader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace meru::test {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QString tool(const char* name) {
    const QString path = QStandardPaths::findExecutable(QLatin1String(name));
    if (path.isEmpty())
        throw std::runtime_error(std::string(name) + " not found: install poppler-utils (scripts/install-deps.sh)");
    return path;
}

QByteArray run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 failed: %2")
                                     .arg(program, QString::fromUtf8(p.readAllStandardError()))
                                     .toStdString());
    return p.readAllStandardOutput();
}

QString unescape(QString s) {
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

}  // namespace

QString PdfLine::text() const {
    QStringList parts;
    for (const PdfWord& w : words) parts << w.text;
    return parts.join(QLatin1Char(' '));
}

std::vector<PdfLine> PdfDocument::linesOf(int page) const {
    std::vector<PdfLine> out;
    for (const PdfLine& l : lines)
        if (l.page == page) out.push_back(l);
    return out;
}

PdfDocument readPdf(const QString& path) {
    const QString html = QString::fromUtf8(run(tool("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    PdfDocument doc;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            if (++doc.pages == 1) {
                doc.pageWidth = m.captured(1).toDouble() * kMmPerPoint;
                doc.pageHeight = m.captured(2).toDouble() * kMmPerPoint;
            }
            continue;
        }
        doc.words.push_back({doc.pages, m.captured(3).toDouble() * kMmPerPoint, m.captured(4).toDouble() * kMmPerPoint,
                             m.captured(5).toDouble() * kMmPerPoint, m.captured(6).toDouble() * kMmPerPoint,
                             unescape(m.captured(7))});
    }
    // Words whose bottoms lie within half a millimetre share a line.
    std::vector<PdfWord> sorted = doc.words;
    std::stable_sort(sorted.begin(), sorted.end(), [](const PdfWord& a, const PdfWord& b) {
        return a.page != b.page ? a.page < b.page : a.bottom < b.bottom;
    });
    for (const PdfWord& w : sorted) {
        if (doc.lines.empty() || doc.lines.back().page != w.page ||
            std::abs(doc.lines.back().words.front().bottom - w.bottom) > 0.5)
            doc.lines.push_back({w.page, w.top, {}});
        doc.lines.back().words.push_back(w);
        doc.lines.back().top = std::min(doc.lines.back().top, w.top);
    }
    for (PdfLine& l : doc.lines)
        std::stable_sort(l.words.begin(), l.words.end(), [](const PdfWord& a, const PdfWord& b) { return a.left < b.left; });
    return doc;
}

QImage renderPage(const QString& path, int page, int dpi) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    run(tool("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                           QString::number(page), QStringLiteral("-l"), QString::number(page),
                           QStringLiteral("-singlefile"), path, base});
    return QImage(base + QStringLiteral(".pgm"));
}

}  // namespace meru::test
