#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/desktop/qt_desktop_services_impl.h"

using namespace kelvane;

// Only an existing file or a web address reaches the opener, unchanged; a
// refusal or an opener that fails names what could not be shown.
TEST(DesktopServices, OnlyWhatCanBeShownReachesTheOpenerAndFailuresNameIt) {
    QTemporaryDir dir;
    const QString readme = dir.filePath("HDL PATCH README.txt");
    QFile(readme).open(QIODevice::WriteOnly);
    const QString address = "http://www.ps2-home.com/hdl_list.php";
    QStringList opened;
    bool succeeds = true;
    QtDesktopServices desktop([&](const QUrl& url) { return opened << url.toString(), succeeds; });
    using Open = bool (QtDesktopServices::*)(const QString&, QString*);
    const struct {
        Open open;
        QString what, reaches;
    } rows[] = {
        {&QtDesktopServices::openWebPage, address, address},
        {&QtDesktopServices::openWebPage, "no address at all", {}},
#ifndef Q_OS_WIN
        {&QtDesktopServices::openInNotepad, readme, QUrl::fromLocalFile(readme).toString()},
        {&QtDesktopServices::openInNotepad, dir.filePath("gone.txt"), {}},
        {&QtDesktopServices::openInNotepad, dir.path(), {}},
#endif
    };
    for (const auto& row : rows)
        for (const bool works : {true, false}) {
            SCOPED_TRACE(row.what.toStdString() + (works ? "" : ", opener fails"));
            opened.clear();
            succeeds = works;
            QString error;
            EXPECT_EQ((desktop.*row.open)(row.what, &error), works && !row.reaches.isEmpty());
            EXPECT_EQ(opened, row.reaches.isEmpty() ? QStringList() : QStringList{row.reaches});
            EXPECT_TRUE((works && !row.reaches.isEmpty()) || error.contains(row.what));
        }
}
