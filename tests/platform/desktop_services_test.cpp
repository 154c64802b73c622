#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/qt_desktop_services_impl.h"

using namespace kelvane;

namespace {

// Records what would have been opened; succeeds as told.
struct RecordingOpener {
    QList<QUrl> opened;
    bool succeeds = true;
    QtDesktopServices::UrlOpener opener() {
        return [this](const QUrl& url) {
            opened << url;
            return succeeds;
        };
    }
};

}  // namespace

#ifndef Q_OS_WIN
TEST(DesktopServices, OpensOnlyAnExistingTextFileAndNamesItOnFailure) {
    QTemporaryDir dir;
    const QString readme = dir.filePath(QStringLiteral("README/HDL PATCH README.txt"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("README"))));
    QFile(readme).open(QIODevice::WriteOnly);
    RecordingOpener recorder;
    QtDesktopServices desktop(recorder.opener());
    QString error;

    EXPECT_TRUE(desktop.openInNotepad(readme, &error));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0].toLocalFile(), readme);

    for (const QString& notAFile : {dir.filePath(QStringLiteral("gone.txt")), dir.path()}) {
        error.clear();
        EXPECT_FALSE(desktop.openInNotepad(notAFile, &error));
        EXPECT_TRUE(error.contains(notAFile)) << error.toStdString();
    }
    EXPECT_EQ(recorder.opened.size(), 1);

    recorder.succeeds = false;
    error.clear();
    EXPECT_FALSE(desktop.openInNotepad(readme, &error));
    EXPECT_TRUE(error.contains(readme)) << error.toStdString();
}
#endif

TEST(DesktopServices, OpensWebAddressesUnchangedAndReportsFailures) {
    RecordingOpener recorder;
    QtDesktopServices desktop(recorder.opener());
    QString error;
    const QString address = QStringLiteral("http://www.ps2-home.com/hdl_list.php");

    EXPECT_TRUE(desktop.openWebPage(address, &error));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0].toString(), address);

    recorder.succeeds = false;
    EXPECT_FALSE(desktop.openWebPage(address, &error));
    EXPECT_TRUE(error.contains(address)) << error.toStdString();

    error.clear();
    EXPECT_FALSE(desktop.openWebPage(QStringLiteral("no address at all"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(recorder.opened.size(), 2);
}
