#include "platform/diskette.h"
#include "platform/engine_config.h"
#include "platform/file_copy.h"
#include "platform/format_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "qstring_printer.h"

using namespace meru::platform;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class Diskette : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        drive = tmp.path() + "/drive_a";
        store = tmp.path() + "/program/based";
        QDir().mkpath(drive);
        QDir().mkpath(store);
        EngineConfig::instance().setAliasPath("MERUDBPX", store);
        EngineConfig::instance().setDriveRoot(drive);
    }
    void TearDown() override { EngineConfig::instance().reset(); }

    QTemporaryDir tmp;
    QString drive, store;
};

TEST_F(Diskette, OnlyADirectoryThatCouldBeADiskIsFormattable) {
    const struct {
        QString dir;
        bool formattable;
    } cases[] = {
        {drive, true},
        {tmp.path() + "/no_disk", false},           // a drive without a disk
        {"/", false},
        {QDir::homePath(), false},
        {QFileInfo(QDir::homePath()).path(), false},  // holds a home directory
        {programDirectory(), false},
        {store, false},
        {tmp.path() + "/program", false},            // holds based/
        {tmp.path(), false},                         // holds the store further down
    };
    for (const auto& c : cases) EXPECT_EQ(whyNotFormattable(c.dir).isEmpty(), c.formattable) << c.dir.toStdString();
    EXPECT_EQ(whyNotFormattable(tmp.path() + "/no_disk"),
              QString("A unidade A: não está pronta: não há disco em %1/no_disk.").arg(tmp.path()));
}

TEST_F(Diskette, FormattingEmptiesTheDiskAndNothingBeyondIt) {
    const QString outside = tmp.path() + "/outside";
    write(outside + "/keep.txt", "keep");
    write(drive + "/movimento.DB", "old");
    write(drive + "/.hidden", "h");
    write(drive + "/sub/deeper/file", "f");
    ASSERT_TRUE(QFile::link(outside, drive + "/link_to_outside"));
    ASSERT_TRUE(QFile::link(outside + "/keep.txt", drive + "/sub/link_to_file"));

    EXPECT_EQ(diskContents(drive), QStringList({"link_to_outside", "sub/", ".hidden", "movimento.DB"}));
    EXPECT_EQ(emptyDisk(drive), QString());
    EXPECT_TRUE(QDir(drive).exists());
    EXPECT_EQ(diskContents(drive), QStringList());
    EXPECT_EQ(read(outside + "/keep.txt"), "keep");

    write(store + "/movimento.DB", "store");
    EXPECT_EQ(emptyDisk(store), store);  // refused: never erased
    EXPECT_EQ(read(store + "/movimento.DB"), "store");
}

TEST_F(Diskette, TheCopyOverwritesItsTargetOnDriveA) {
    write(tmp.path() + "/program/saida/cadastro.DB", "template");
    write(drive + "/cadastro.DB", "rows of last month, longer than the template");
    const QString source = QDir::toNativeSeparators(tmp.path() + "/program/saida/cadastro.DB").replace('/', '\\');
    EXPECT_TRUE(CopyFileA(source, "a:\\cadastro.DB", false));
    EXPECT_EQ(read(drive + "/cadastro.DB"), "template");

    write(drive + "/movimento.DB", "kept");
    EXPECT_FALSE(CopyFileA(source, "a:\\movimento.DB", true));
    EXPECT_FALSE(CopyFileA(tmp.path() + "/program/saida/missing.DB", "a:\\movimento.DB", false));
    EXPECT_EQ(read(drive + "/movimento.DB"), "kept");
    EXPECT_FALSE(CopyFileA(source, "a:\\no_such_dir\\cadastro.DB", false));
}

TEST_F(Diskette, TheDialogShowsTheDiskFormatsItOnIniciarAndReturnsTheShellsCodes) {
    write(drive + "/movimento.DB", "old");
    {
        FormatDialog dialog(drive, nullptr);
        ASSERT_EQ(dialog.contents->count(), 1);
        EXPECT_EQ(dialog.contents->item(0)->text(), "movimento.DB");
        EXPECT_EQ(dialog.formatResult(), SHFMT_CANCEL);
        QTest::mouseClick(dialog.btnIniciar, Qt::LeftButton);
        EXPECT_EQ(dialog.formatResult(), SHFMT_ID_DEFAULT);
        EXPECT_EQ(diskContents(drive), QStringList());
        EXPECT_EQ(dialog.contents->item(0)->text(), "(disco vazio)");
    }
    {
        FormatDialog refused(tmp.path() + "/program", nullptr);
        EXPECT_FALSE(refused.btnIniciar->isEnabled());
        EXPECT_EQ(refused.formatResult(), SHFMT_NOFORMAT);
    }
}

// The dialog is modal: the operator's clicks arrive while it runs.
TEST_F(Diskette, SHFormatDriveRunsTheDialogOverItsOwnerUntilItIsClosed) {
    const auto operatorClicks = [](std::initializer_list<const char*> buttons) {
        QTimer::singleShot(0, [buttons] {
            auto* dialog = qobject_cast<FormatDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (const char* name : buttons)
                QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton);
        });
    };
    write(drive + "/movimento.DB", "old");
    operatorClicks({"btnFechar"});
    EXPECT_EQ(SHFormatDrive(nullptr, 0, SHFMT_ID_DEFAULT, 0), SHFMT_CANCEL);
    EXPECT_EQ(read(drive + "/movimento.DB"), "old");

    operatorClicks({"btnIniciar", "btnFechar"});
    EXPECT_EQ(SHFormatDrive(nullptr, 0, SHFMT_ID_DEFAULT, 0), SHFMT_ID_DEFAULT);
    EXPECT_EQ(diskContents(drive), QStringList());

    QDir(drive).removeRecursively();
    operatorClicks({"btnFechar"});
    EXPECT_EQ(SHFormatDrive(nullptr, 0, SHFMT_ID_DEFAULT, 0), SHFMT_NOFORMAT);
}

}  // namespace
