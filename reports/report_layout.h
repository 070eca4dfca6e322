#pragma once
// The summary report's page: US Letter portrait with 10 mm margins, a header
// band on every page and one detail band per invoice. One routine draws it on
// every device (the preview, a printer, a PDF file); positions are millimetres
// from the left and top edges of the band, whose left edge lies on the margin.

#include <QPageLayout>
#include <QString>

#include <array>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace meru::report {

// The six fields of a detail line, in the list's display texts: CNPJ, invoice
// number, invoice date, value, corrective flag, state registration.
using Line = std::array<QString, 6>;

struct Content {
    QString printedAt;        // date and time of printing
    std::vector<Line> lines;  // empty: the header and one empty line
};

namespace mm {
inline constexpr double paperWidth = 215.9;
inline constexpr double paperHeight = 279.4;
inline constexpr double margin = 10.0;
inline constexpr double bandWidth = 195.8;
inline constexpr double bodyHeight = paperHeight - 2 * margin;
inline constexpr double headerHeight = 24.1;
inline constexpr double detailHeight = 5.0;
inline constexpr double titleTop = 2.1;
inline constexpr double subtitleTop = 8.5;
inline constexpr double sysDataTop = 12.7;
inline constexpr double printedAtLeft = 2.1;
inline constexpr double pageNumberLeft = 160.9;
inline constexpr double pageNumberRight = 194.7;
inline constexpr double captionTop = 18.5;
// Left edges of the column captions and of the detail fields.
inline constexpr std::array<double, 6> captionLeft{8.5, 38.1, 65.6, 99.5, 131.2, 169.3};
inline constexpr std::array<double, 6> fieldLeft{4.2, 38.1, 65.6, 99.5, 131.2, 169.3};
}  // namespace mm

QPageLayout pageLayout();
// Detail lines that fit under the header on one page.
int linesPerPage();
int pageCount(const Content& content);

// Draws every page on `device`, which `painter` is painting on and whose page
// layout is pageLayout(); starts each page after the first with newPage().
void drawReport(QPainter& painter, QPagedPaintDevice& device, const Content& content);

}  // namespace meru::report
