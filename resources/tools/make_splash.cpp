// Draws the splash picture and writes it as a baseline JPEG (364 x 226, YCbCr).
//
// Not part of the normal build. To regenerate resources/splash.jpg:
//   g++ -std=c++20 -fPIC make_splash.cpp -o make_splash $(pkg-config --cflags --libs Qt6Gui) -ljpeg
//   QT_QPA_PLATFORM=offscreen ./make_splash splash.jpg
#include <QGuiApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 364;
constexpr int kHeight = 226;
constexpr int kQuality = 90;

void drawBackground(QPainter& p)
{
    QLinearGradient base(0, 0, kWidth * 0.35, kHeight);
    base.setColorAt(0.0, QColor(0x1c, 0x3f, 0x8c));
    base.setColorAt(0.55, QColor(0x0e, 0x26, 0x5e));
    base.setColorAt(1.0, QColor(0x06, 0x14, 0x38));
    p.fillRect(0, 0, kWidth, kHeight, base);

    QRadialGradient glow(QPointF(90, 70), 170);
    glow.setColorAt(0.0, QColor(120, 170, 255, 70));
    glow.setColorAt(1.0, QColor(120, 170, 255, 0));
    p.fillRect(0, 0, kWidth, kHeight, glow);

    // Faint diagonal bands give the flat gradient some depth.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 10));
    for (int i = 0; i < 3; ++i) {
        QPainterPath band;
        const qreal x = 200 + i * 55;
        band.moveTo(x, 0);
        band.lineTo(x + 28, 0);
        band.lineTo(x - 90, kHeight);
        band.lineTo(x - 118, kHeight);
        band.closeSubpath();
        p.drawPath(band);
    }
    p.restore();

    // Thin frame just inside the border.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4.5, 4.5, kWidth - 9, kHeight - 9));
}

// An invoice sheet with a folded corner, text lines and a total box.
void drawEmblem(QPainter& p, QPointF origin)
{
    p.save();
    p.translate(origin);

    const qreal w = 78, h = 100, fold = 20;

    // Second sheet behind, slightly rotated.
    p.save();
    p.translate(10, 6);
    p.rotate(7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 195, 235, 150));
    p.drawRoundedRect(QRectF(0, 0, w, h), 4, 4);
    p.restore();

    // Shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 20, 90));
    p.drawRoundedRect(QRectF(4, 5, w, h), 4, 4);

    QPainterPath sheet;
    sheet.moveTo(0, 4);
    sheet.quadTo(0, 0, 4, 0);
    sheet.lineTo(w - fold, 0);
    sheet.lineTo(w, fold);
    sheet.lineTo(w, h - 4);
    sheet.quadTo(w, h, w - 4, h);
    sheet.lineTo(4, h);
    sheet.quadTo(0, h, 0, h - 4);
    sheet.closeSubpath();
    QLinearGradient paper(0, 0, w, h);
    paper.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    paper.setColorAt(1.0, QColor(0xdc, 0xe6, 0xf5));
    p.setBrush(paper);
    p.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(w - fold, 0);
    corner.lineTo(w - fold, fold - 3);
    corner.quadTo(w - fold, fold, w - fold + 3, fold);
    corner.lineTo(w, fold);
    corner.closeSubpath();
    p.setBrush(QColor(0xa9, 0xbf, 0xe0));
    p.drawPath(corner);

    // Header bar and text lines.
    p.setBrush(QColor(0x1c, 0x3f, 0x8c));
    p.drawRoundedRect(QRectF(9, 10, 36, 7), 2, 2);
    p.setBrush(QColor(0x9a, 0xab, 0xc6));
    const qreal lines[] = {60, 52, 60, 44, 56};
    for (int i = 0; i < 5; ++i)
        p.drawRoundedRect(QRectF(9, 28 + i * 10, lines[i], 3.5), 1.5, 1.5);

    // Total box in gold.
    p.setBrush(QColor(0xf2, 0xb7, 0x3a));
    p.drawRoundedRect(QRectF(w - 40, h - 22, 31, 12), 2.5, 2.5);
    p.setBrush(QColor(0x9a, 0xab, 0xc6));
    p.drawRoundedRect(QRectF(9, h - 18, 24, 3.5), 1.5, 1.5);

    p.restore();
}

void drawTitles(QPainter& p)
{
    const qreal left = 138;

    QFont title("DejaVu Sans");
    title.setPixelSize(56);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(title);
    p.setPen(QColor(0, 0, 25, 120));
    p.drawText(QPointF(left + 2, 104), "MERU");
    p.setPen(QColor(0xff, 0xff, 0xff));
    p.drawText(QPointF(left, 102), "MERU");

    // Gold rule under the title.
    QLinearGradient rule(left, 0, left + 200, 0);
    rule.setColorAt(0.0, QColor(0xf2, 0xb7, 0x3a, 255));
    rule.setColorAt(1.0, QColor(0xf2, 0xb7, 0x3a, 0));
    p.fillRect(QRectF(left + 2, 114, 200, 2.5), rule);

    QFont company("DejaVu Sans");
    company.setPixelSize(19);
    company.setBold(true);
    p.setFont(company);
    p.setPen(QColor(0xc8, 0xda, 0xff));
    p.drawText(QPointF(left + 2, 141), "Caldeno");

    QFont subtitle("DejaVu Sans");
    subtitle.setPixelSize(13);
    p.setFont(subtitle);
    p.setPen(QColor(0xe8, 0xef, 0xff));
    p.drawText(QPointF(left + 2, 162), QString::fromUtf8("Controle de Notas Fiscais"));

    QFont version("DejaVu Sans");
    version.setPixelSize(11);
    p.setFont(version);
    p.setPen(QColor(0xa8, 0xbd, 0xe6));
    const QString text = QString::fromUtf8("Versão 1.02");
    const int textWidth = QFontMetrics(version).horizontalAdvance(text);
    p.drawText(QPointF(kWidth - 16 - textWidth, kHeight - 16), text);
}

bool writeBaselineJpeg(const QImage& image, const char* path, int quality)
{
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;

    jpeg_compress_struct cinfo {};
    jpeg_error_mgr jerr {};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = image.width();
    cinfo.image_height = image.height();
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);  // baseline, YCbCr, JFIF
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);

    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.jpg\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawBackground(p);
    drawEmblem(p, QPointF(34, 58));
    drawTitles(p);
    p.end();

    if (!writeBaselineJpeg(image, argv[1], kQuality)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
