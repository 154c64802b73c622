#include <gtest/gtest.h>

#include <QDir>
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
    const QString readme = dir.filePath("HDL PATCH README.txt");
    QFile(readme).open(QIODevice::WriteOnly);
    RecordingOpener recorder;
    QtDesktopServices desktop(recorder.opener());
    QString error;

    EXPECT_TRUE(desktop.openInNotepad(readme, &error));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0].toLocalFile(), readme);

    // Neither a missing file nor a directory reaches the opener.
    for (const QString& notAFile : {dir.filePath("gone.txt"), dir.path()}) {
        EXPECT_FALSE(desktop.openInNotepad(notAFile, &error));
        EXPECT_TRUE(error.contains(notAFile)) << error.toStdString();
    }
    EXPECT_EQ(recorder.opened.size(), 1);

    recorder.succeeds = false;
    EXPECT_FALSE(desktop.openInNotepad(readme, &error));
    EXPECT_TRUE(error.contains(readme)) << error.toStdString();
}
#endif

TEST(DesktopServices, OpensWebAddressesUnchangedAndReportsFailures) {
    RecordingOpener recorder;
    QtDesktopServices desktop(recorder.opener());
    QString error;
    const QString address = "http://www.ps2-home.com/hdl_list.php";

    EXPECT_TRUE(desktop.openWebPage(address, &error));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0].toString(), address);

    recorder.succeeds = false;
    EXPECT_FALSE(desktop.openWebPage(address, &error));
    EXPECT_TRUE(error.contains(address)) << error.toStdString();

    error.clear();
    EXPECT_FALSE(desktop.openWebPage("no address at all", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(recorder.opened.size(), 2);
}
