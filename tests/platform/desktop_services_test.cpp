#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/desktop/qt_desktop_services_impl.h"

using namespace kelvane;

// Records what would have been opened; succeeds as told.
class DesktopServicesTest : public ::testing::Test {
  protected:
    QList<QUrl> opened;
    bool succeeds = true;
    QString error;
    QtDesktopServices desktop{[this](const QUrl& url) {
        opened << url;
        return succeeds;
    }};
};

#ifndef Q_OS_WIN
TEST_F(DesktopServicesTest, OpensOnlyAnExistingTextFileAndNamesItOnFailure) {
    QTemporaryDir dir;
    const QString readme = dir.filePath("HDL PATCH README.txt");
    QFile(readme).open(QIODevice::WriteOnly);
    EXPECT_TRUE(desktop.openInNotepad(readme, &error));

    // Neither a missing file nor a directory reaches the opener; an opener
    // that fails is reported.
    succeeds = false;
    for (const QString& path : {dir.filePath("gone.txt"), dir.path(), readme}) {
        EXPECT_FALSE(desktop.openInNotepad(path, &error));
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
    EXPECT_EQ(opened, QList<QUrl>(2, QUrl::fromLocalFile(readme)));
}
#endif

TEST_F(DesktopServicesTest, OpensWebAddressesUnchangedAndReportsFailures) {
    const QString address = "http://www.ps2-home.com/hdl_list.php";
    EXPECT_TRUE(desktop.openWebPage(address, &error));

    // Not a web address: refused before it reaches the opener.
    succeeds = false;
    for (const QString& page : {QString("no address at all"), address}) {
        EXPECT_FALSE(desktop.openWebPage(page, &error));
        EXPECT_TRUE(error.contains(page)) << error.toStdString();
    }
    ASSERT_EQ(opened.size(), 2);
    for (const QUrl& url : opened) EXPECT_EQ(url.toString(), address);
}
