// The summary report read back from its PDF: the header and its positions, one
// line per row of the list in the list's order and display texts, pages and their
// repeated header, the empty list; the preview, printing and the missing printer.
#include "list_fixture.h"
#include "pdf_reader.h"

#include "reports/report_layout.h"
#include "reports/report_preview.h"

#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QPrintPreviewWidget>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>

#include <cmath>
#include <functional>

using namespace meru;
using namespace meru::test;

namespace {

// The report's page, in millimetres, written out here so that a change of the
// report's own figures shows.
namespace mm {
constexpr double paperWidth = 215.9, paperHeight = 279.4, margin = 10.0, bandWidth = 195.8;
constexpr double titleTop = 2.1, subtitleTop = 8.5, sysDataTop = 12.7, printedAtLeft = 2.1, pageNumberRight = 194.7;
constexpr double captionTop = 18.5, headerHeight = 24.1, detailHeight = 5.0;
constexpr double captionLeft[6] = {8.5, 38.1, 65.6, 99.5, 131.2, 169.3};
constexpr double fieldLeft[6] = {4.2, 38.1, 65.6, 99.5, 131.2, 169.3};
}  // namespace mm

const QString kTitle = QStringLiteral("MERU - Caldeno");
const QString kSubtitle = QString::fromUtf8("Relatório Sintético de Notas do Sistema");
const QString kCaptions = QString::fromUtf8("CNPJ Nº Nota F. Data Nota F. Vl Nota F. Retificadora? Insc. Estadual.");

// Blanks as the PDF's text gives them back.
QString plain(QString s) { return s.replace(QChar(0x00A0), QLatin1Char(' ')).simplified(); }

// The words of a detail line by the field they start in, joined by blanks.
QStringList fields(const PdfLine& line) {
    QStringList out(6);
    for (const PdfWord& w : line.words) {
        int f = 0;
        while (f < 5 && w.left >= mm::margin + mm::fieldLeft[size_t(f) + 1] - 1.0) ++f;
        out[f] = out[f].isEmpty() ? w.text : out[f] + QLatin1Char(' ') + w.text;
    }
    return out;
}

// Runs `inside` in the event loop of the modal window of type W once it shows.
template <class W>
void whenShown(std::function<void(W*)> inside) {
    QTimer::singleShot(0, [inside] {
        W* w = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            w = qobject_cast<W*>(QApplication::activeModalWidget());
            return w && w->isVisible();
        });
        if (!shown) {
            ADD_FAILURE() << "no " << W::staticMetaObject.className() << " was shown";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        inside(w);
    });
}

class Report : public ListWindow {
protected:
    QString pdf(const char* name) const { return store.programDir() + QLatin1String(name); }

    // "Imprimir" on a printer that writes `path`.
    void printTo(Tfrm_sele_notas* list, const QString& path) {
        SummaryReport::setPrinterSource(pdfPrinter(path));
        click(list->BitBtn4);
        ASSERT_TRUE(QFile::exists(path));
    }

    static std::vector<Nota> numbered(int count, const QString& gerado = QStringLiteral("N"), int from = 1) {
        std::vector<Nota> notas;
        for (int i = from; i < from + count; ++i) {
            Nota n{QString::number(i), gerado};
            n.valor = 1000 + i + 0.25;
            n.data = QDate(2004, 3, 1).addDays(i % 28);
            notas.push_back(n);
        }
        return notas;
    }
};

}  // namespace

// The header's texts in order and at their places, the captions within 1 mm of
// their positions, and one line per row with the list's display texts.
TEST_F(Report, HeaderAndLinesStandAtTheirPositionsWithTheListsTexts) {
    Nota a{QStringLiteral("9001")};
    a.valor = 1234567.8;
    a.retificadora = QStringLiteral("S");
    Nota b{QStringLiteral("NF-77")};
    b.cnpj = QStringLiteral("99888777000166");
    b.valor = 0.5;
    b.data = QDate(2004, 12, 31);
    b.inscricao = QStringLiteral("ISENTO");
    Nota sent{QStringLiteral("5555"), QStringLiteral("S")};
    seed({a, sent, b});
    Tfrm_sele_notas* list = openList();
    const QDate today = QDate::currentDate();
    printTo(list, pdf("layout.pdf"));
    const PdfDocument doc = readPdf(pdf("layout.pdf"));

    EXPECT_EQ(doc.pages, 1);
    EXPECT_NEAR(doc.pageWidth, mm::paperWidth, 0.5);
    EXPECT_NEAR(doc.pageHeight, mm::paperHeight, 0.5);
    ASSERT_EQ(doc.lines.size(), 6u);
    EXPECT_EQ(doc.lines[0].text(), kTitle);
    EXPECT_EQ(doc.lines[1].text(), kSubtitle);
    const QString dateTime = doc.lines[2].text();
    EXPECT_TRUE(dateTime.startsWith(today.toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(' ')));
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d\d/\d\d/\d{4} \d\d:\d\d:\d\d 1$)")).match(dateTime).hasMatch())
        << dateTime.toStdString();
    EXPECT_EQ(doc.lines[3].text(), kCaptions);

    // Centred titles; the date at the left, the page number at the right of its box.
    const auto centre = [](const PdfLine& l) { return (l.words.front().left + l.words.back().right) / 2; };
    EXPECT_NEAR(centre(doc.lines[0]), mm::margin + mm::bandWidth / 2, 1.0);
    EXPECT_NEAR(centre(doc.lines[1]), mm::margin + mm::bandWidth / 2, 1.0);
    EXPECT_NEAR(doc.lines[0].top, mm::margin + mm::titleTop, 1.0);
    EXPECT_NEAR(doc.lines[1].top, mm::margin + mm::subtitleTop, 1.0);
    EXPECT_NEAR(doc.lines[2].words.front().left, mm::margin + mm::printedAtLeft, 1.0);
    EXPECT_NEAR(doc.lines[2].words.back().right, mm::margin + mm::pageNumberRight, 1.0);
    EXPECT_NEAR(doc.lines[2].top, mm::margin + mm::sysDataTop, 1.0);
    // Each caption's first word.
    const PdfLine& captions = doc.lines[3];
    const size_t firstWords[6] = {0, 1, 4, 7, 10, 11};
    ASSERT_EQ(captions.words.size(), 13u);
    for (size_t i = 0; i < 6; ++i) {
        const PdfWord& w = captions.words[firstWords[i]];
        SCOPED_TRACE(w.text.toStdString());
        EXPECT_NEAR(w.left, mm::margin + mm::captionLeft[i], 1.0);
        EXPECT_NEAR(w.top, mm::margin + mm::captionTop, 1.0);
    }

    // The unsent rows in the list's order, as the grid shows them.
    const QLocale pt(QLocale::Portuguese, QLocale::Brazil);
    const QStringList expected[2] = {
        {"11222333000181", "9001", "15/03/2004", plain(pt.toCurrencyString(1234567.8)), "S", "110042490114"},
        {"99888777000166", "NF-77", "31/12/2004", plain(pt.toCurrencyString(0.5)), "N", "ISENTO"},
    };
    for (int r = 0; r < 2; ++r) {
        const PdfLine& line = doc.lines[size_t(4 + r)];
        SCOPED_TRACE(line.text().toStdString());
        EXPECT_EQ(fields(line), expected[r]);
        EXPECT_EQ(expected[r][3], plain(column(list, 2)[r]));
        EXPECT_EQ(expected[r][2], column(list, 3)[r]);
        EXPECT_NEAR(line.top, mm::margin + mm::headerHeight + r * mm::detailHeight, 1.0);
        for (size_t f = 0; f < 6; ++f) {
            const auto word = std::find_if(line.words.begin(), line.words.end(),
                                           [&](const PdfWord& w) { return w.text == expected[r][int(f)].section(' ', 0, 0); });
            ASSERT_NE(word, line.words.end());
            EXPECT_NEAR(word->left, mm::margin + mm::fieldLeft[f], 1.0) << word->text.toStdString();
        }
    }
}

// "Enviadas" prints the sent invoices, "Não Enviadas" the unsent ones.
TEST_F(Report, TheRadioButtonsDecideWhatIsPrinted) {
    seed({Nota{"1", "N"}, Nota{"2", "S"}, Nota{"3", "G"}, Nota{"4", "N"}});
    Tfrm_sele_notas* list = openList();
    const struct {
        QRadioButton* button;
        QStringList printed;
    } cases[] = {{list->RadioButton1, {"2", "3"}}, {list->RadioButton2, {"1", "4"}}};
    int n = 0;
    for (const auto& c : cases) {
        click(c.button);
        const QString path = pdf("mode") + QString::number(n++) + QStringLiteral(".pdf");
        printTo(list, path);
        QStringList printed;
        for (const PdfLine& l : readPdf(path).lines)
            if (l.top > mm::margin + mm::headerHeight - 0.5) printed << fields(l)[1];
        EXPECT_EQ(printed, c.printed);
        EXPECT_EQ(printed, numbers(list));
    }
}

// A list longer than a page: every page repeats the header with its number, and
// the lines follow the list's order across the pages.
TEST_F(Report, ALongListRepeatsTheHeaderOnEveryPage) {
    ASSERT_EQ(report::linesPerPage(), 47);
    seed(numbered(100));
    Tfrm_sele_notas* list = openList();
    printTo(list, pdf("long.pdf"));
    const PdfDocument doc = readPdf(pdf("long.pdf"));
    ASSERT_EQ(doc.pages, 3);
    const int perPage[3] = {47, 47, 6};
    int next = 1;
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const std::vector<PdfLine> lines = doc.linesOf(page);
        ASSERT_EQ(int(lines.size()), 4 + perPage[page - 1]);
        EXPECT_EQ(lines[0].text(), kTitle);
        EXPECT_EQ(lines[1].text(), kSubtitle);
        EXPECT_EQ(lines[2].words.back().text, QString::number(page));
        EXPECT_EQ(lines[2].words.size(), 3u);
        EXPECT_EQ(lines[3].text(), kCaptions);
        EXPECT_NEAR(lines[3].top, mm::margin + mm::captionTop, 1.0);
        for (size_t i = 4; i < lines.size(); ++i, ++next) {
            EXPECT_EQ(fields(lines[i])[1], QString::number(next));
            EXPECT_NEAR(lines[i].top, mm::margin + mm::headerHeight + double(i - 4) * mm::detailHeight, 1.0);
        }
    }
    EXPECT_EQ(next, 101);
}

// An empty list gives one page: the header and one empty line with its rule.
TEST_F(Report, AnEmptyListGivesTheHeaderAndOneEmptyLine) {
    seed({Nota{"1", "S"}});
    Tfrm_sele_notas* list = openList();
    printTo(list, pdf("empty.pdf"));
    const PdfDocument doc = readPdf(pdf("empty.pdf"));
    ASSERT_EQ(doc.pages, 1);
    ASSERT_EQ(doc.lines.size(), 4u);
    EXPECT_EQ(doc.lines[3].text(), kCaptions);

    // Dark rows of the page at 200 dpi: the header's rule and the empty line's.
    const int dpi = 200;
    const QImage page = renderPage(pdf("empty.pdf"), 1, dpi);
    ASSERT_FALSE(page.isNull());
    const auto ruleNear = [&](double mmFromTop) {
        const int y0 = int(std::lround(mmFromTop / 25.4 * dpi));
        const int x0 = int((mm::margin + 1) / 25.4 * dpi), x1 = int((mm::margin + mm::bandWidth - 1) / 25.4 * dpi);
        for (int y = y0 - 3; y <= y0 + 3; ++y) {
            int dark = 0;
            for (int x = x0; x < x1; ++x) dark += qGray(page.pixel(x, y)) < 128;
            if (dark > (x1 - x0) * 9 / 10) return true;
        }
        return false;
    };
    EXPECT_TRUE(ruleNear(mm::margin + mm::headerHeight));
    EXPECT_TRUE(ruleNear(mm::margin + mm::headerHeight + mm::detailHeight));
    EXPECT_FALSE(ruleNear(mm::margin + mm::headerHeight + 2 * mm::detailHeight));
}

// The report walks the list's own view with its controls disabled, so the grid
// hears of the walk once, not row by row, and the row current before is current
// again.
TEST_F(Report, TheWalkLeavesTheGridAloneAndPutsTheCurrentRowBack) {
    seed(numbered(60));
    Tfrm_sele_notas* list = openList();
    controls::DBGrid* grid = list->dbgrid_movimento_atual;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(5, 1)).center());
    ASSERT_EQ(list->tab_movimento->recNo(), 5);
    QSignalSpy moves(list->ds_movimento, &DataSource::dataChanged);
    QSignalSpy resets(list->ds_movimento, &DataSource::rowsReset);
    printTo(list, pdf("walk.pdf"));
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(list->tab_movimento->recNo(), 5);
    EXPECT_EQ(grid->currentIndex().row(), 5);
    EXPECT_EQ(list->tab_movimento->fieldByName("mov_nr_nf")->asString(), QStringLiteral("6"));
}

// "Vizualizar Nota F." shows the pages in a modal preview, which saves them as a
// PDF; the click returns when the preview is closed. The report form is made once
// and belongs to the list.
TEST_F(Report, PreviewShowsThePagesAndSavesThemAsPdf) {
    seed(numbered(50));
    Tfrm_sele_notas* list = openList();
    const QString path = pdf("preview.pdf");
    int pages = 0;
    bool offered = false;
    whenShown<report::ReportPreview>([&](report::ReportPreview* preview) {
        auto* pagesView = preview->findChild<QPrintPreviewWidget*>();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pagesView->pageCount() > 0; }));
        pages = pagesView->pageCount();
        offered = preview->findChild<QToolBar*>()->actions().contains(preview->savePdfAction());
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();  // as its Save button does
        });
        preview->savePdfAction()->trigger();
        preview->close();
    });
    click(list->BitBtn3);
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(offered);
    ASSERT_TRUE(QFile::exists(path));
    const PdfDocument doc = readPdf(path);
    EXPECT_EQ(doc.pages, 2);
    EXPECT_EQ(doc.linesOf(2).back().words[1].text, QStringLiteral("50"));
    EXPECT_TRUE(boxes.boxes().empty());

    QPointer<Tqr_nota> form = qr_nota;
    ASSERT_TRUE(form);
    EXPECT_EQ(form->parent(), list);
    whenShown<report::ReportPreview>([](report::ReportPreview* preview) { preview->close(); });
    click(list->BitBtn3);
    EXPECT_EQ(qr_nota, form);
}

// With no printer, "Imprimir" says so and prints nothing.
TEST_F(Report, PrintWithNoPrinterSaysSo) {
    seed(numbered(3));
    Tfrm_sele_notas* list = openList();
    SummaryReport::setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
    click(list->BitBtn4);
    EXPECT_EQ(boxes.texts(),
              QStringList{QString::fromUtf8("Não há impressora instalada neste computador; o relatório não foi impresso.\r"
                                            "Use \"Vizualizar Nota F.\" e salve o relatório em PDF.")});
    EXPECT_EQ(boxes.boxes()[0].kind, platform::BoxKind::Inform);
}
