#include "report_layout.h"

#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace meru::report {

namespace {

const char* const kCaptions[6] = {"CNPJ", "Nº Nota F.", "Data Nota F.", "Vl Nota F.", "Retificadora?", "Insc. Estadual."};

QFont font(const char* family, double points, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    // No ligatures: the PDF's text reads "Retificadora" as printed, letter by letter.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

// Millimetres on the device, from the top-left corner of the margins.
class Page {
public:
    Page(QPainter& painter, double dpi) : painter_(painter), dpi_(dpi) {}

    double px(double mm) const { return mm * dpi_ / 25.4; }

    // Text whose box starts at (left, top) and grows to the width of the text.
    void text(double left, double top, const QString& s, int flags = Qt::AlignLeft) {
        painter_.drawText(QRectF(px(left), px(top), px(mm::bandWidth), px(mm::detailHeight)),
                          int(flags) | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, s);
    }
    // Text placed in the box from left to right.
    void textIn(double left, double right, double top, const QString& s, Qt::Alignment align) {
        painter_.drawText(QRectF(px(left), px(top), px(right - left), px(mm::detailHeight)),
                          int(align) | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, s);
    }
    void rule(double y) {
        painter_.setPen(QPen(Qt::black, px(0.2)));
        painter_.drawLine(QPointF(0, px(y)), QPointF(px(mm::bandWidth), px(y)));
    }

    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
    double dpi_;
};

void header(Page& page, const Content& content, int number, const QColor& textColour) {
    QPainter& p = page.painter();
    p.setPen(textColour);
    p.setFont(font("Verdana", 14));
    page.textIn(0, mm::bandWidth, mm::titleTop, QStringLiteral("MERU - Caldeno"), Qt::AlignHCenter);
    p.setFont(font("Tahoma", 10));
    page.textIn(0, mm::bandWidth, mm::subtitleTop, QString::fromUtf8("Relatório Sintético de Notas do Sistema"),
                Qt::AlignHCenter);
    page.text(mm::printedAtLeft, mm::sysDataTop, content.printedAt);
    page.textIn(mm::pageNumberLeft, mm::pageNumberRight, mm::sysDataTop, QString::number(number), Qt::AlignRight);
    p.setFont(font("Verdana", 9, true));
    for (size_t i = 0; i < 6; ++i) page.text(mm::captionLeft[i], mm::captionTop, QString::fromUtf8(kCaptions[i]));
    page.rule(mm::headerHeight);
}

void detail(Page& page, double top, const Line& line, const QColor& textColour) {
    page.painter().setPen(textColour);
    page.painter().setFont(font("Tahoma", 10));
    for (size_t i = 0; i < 6; ++i)
        if (!line[i].isEmpty()) page.text(mm::fieldLeft[i], top, line[i]);
    page.rule(top + mm::detailHeight);
}

}  // namespace

QPageLayout pageLayout() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(mm::margin, mm::margin, mm::margin, mm::margin), QPageLayout::Millimeter);
}

int linesPerPage() { return int((mm::bodyHeight - mm::headerHeight) / mm::detailHeight + 1e-9); }

int pageCount(const Content& content) {
    const int lines = std::max<int>(1, int(content.lines.size()));
    return (lines + linesPerPage() - 1) / linesPerPage();
}

void drawReport(QPainter& painter, QPagedPaintDevice& device, const Content& content) {
    Page page(painter, device.logicalDpiY());
    const QColor textColour = QGuiApplication::palette().color(QPalette::WindowText);
    static const Line empty{};
    const size_t count = std::max<size_t>(1, content.lines.size());
    int number = 1;
    header(page, content, number, textColour);
    double top = mm::headerHeight;
    for (size_t i = 0; i < count; ++i) {
        if (top + mm::detailHeight > mm::bodyHeight + 1e-9) {
            device.newPage();
            header(page, content, ++number, textColour);
            top = mm::headerHeight;
        }
        detail(page, top, content.lines.empty() ? empty : content.lines[i], textColour);
        top += mm::detailHeight;
    }
}

}  // namespace meru::report
