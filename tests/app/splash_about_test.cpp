#include "app_fixture.h"

#include "app/frm_sobre.h"
#include "app/frm_splash.h"
#include "units/frm_login.h"

#include <QFile>
#include <QSignalSpy>
#include <jpeglib.h>

static void initResources() { Q_INIT_RESOURCE(resources); }

using namespace meru;

namespace {

class SplashAndAbout : public test::AppFixture {};

TEST_F(SplashAndAbout, SplashIsAFramelessPictureOnTopThatFiresOnce) {
    ASSERT_TRUE(frm_splash);
    Tfrm_splash* splash = frm_splash;
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash->size(), QSize(364, 226));
    EXPECT_EQ(splash->Timer1->interval(), test::shortTimings().splashMs);
    const QPixmap picture = splash->Image1->pixmap();
    EXPECT_EQ(picture.size(), QSize(364, 226));
    EXPECT_EQ(splash->Image1->geometry(), QRect(0, 0, 364, 226));

    QSignalSpy fired(splash->Timer1, &QTimer::timeout);
    splash->Timer1->setInterval(10);
    QTest::qWait(80);
    EXPECT_EQ(fired.count(), 1);
    test::settle();
    EXPECT_FALSE(frm_splash);
    ASSERT_TRUE(frm_login);
    EXPECT_TRUE(frm_login->isVisible());
    EXPECT_EQ(frm_menu->windowTitle(), "MERU - Caldeno");
    EXPECT_EQ(test::menu()->statusPanel(2)->text(), "");
}

TEST(SplashPicture, IsABaselineJpegWithThreeEightBitComponents) {
    initResources();
    QFile file(":/splash.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    jpeg_decompress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    EXPECT_EQ(info.image_width, 364u);
    EXPECT_EQ(info.image_height, 226u);
    EXPECT_EQ(info.num_components, 3);
    EXPECT_FALSE(jpeg_has_multiple_scans(&info));
    EXPECT_FALSE(info.progressive_mode);
    EXPECT_EQ(info.data_precision, 8);
    jpeg_destroy_decompress(&info);
}

TEST_F(SplashAndAbout, AboutShowsTheVersionInSelectableReadOnlyText) {
    test::menu()->mn_sobre->trigger();
    ASSERT_TRUE(frm_sobre);
    Tfrm_sobre* about = frm_sobre;
    EXPECT_EQ(about->windowTitle(), "Sobre");
    EXPECT_EQ(about->size(), QSize(249, 262));
    EXPECT_FALSE(about->isModal());
    EXPECT_TRUE(about->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(about->GroupBox1->title(), "MERU - Caldeno v1.02");
    const QStringList lines = about->RichEdit1->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "Caldeno.");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], QString::fromUtf8("Versão: 1.02"));
    EXPECT_EQ(lines[3], "");
    for (int i = 4; i < 8; ++i) EXPECT_FALSE(lines[i].isEmpty());
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], QString::fromUtf8("Programador Responsável:"));
    EXPECT_TRUE(lines[10].startsWith(QString(12, ' ')));
    EXPECT_NE(lines[10][12], ' ');

    EXPECT_TRUE(about->RichEdit1->isReadOnly());
    EXPECT_TRUE(about->RichEdit1->textInteractionFlags() & Qt::TextSelectableByMouse);
    about->RichEdit1->setFocus();
    about->RichEdit1->selectAll();
    QTest::keyClicks(about->RichEdit1, "xyz");
    EXPECT_EQ(about->RichEdit1->toPlainText().split('\n').size(), 11);
    EXPECT_EQ(about->RichEdit1->textCursor().selectedText().isEmpty(), false);
}

}  // namespace
