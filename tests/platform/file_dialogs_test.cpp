#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/qt_file_dialogs_impl.h"
#include "platform/qt_name_filters.h"

using namespace kelvane;

namespace {

// Hands the file dialog to `act` as soon as it shows.
void whenDialogShows(std::function<void(QFileDialog&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (!dialog || !dialog->isVisible()) continue;
            timer->stop();
            timer->deleteLater();
            act(*dialog);
            return;
        }
    });
    timer->start(10);
}

QStringList shownFilters(QFileDialog& dialog) {
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QStringList items;
    for (int i = 0; combo && i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

}  // namespace

TEST(NameFilters, SplitsPairsAndSeveralPatternsOfOneEntry) {
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Pictures|*.BMP;*.dib|Anything")),
              (QStringList{QStringLiteral("Pictures (*.[Bb][Mm][Pp] *.[Dd][Ii][Bb])"),
                           QStringLiteral("Anything (*)")}));
    EXPECT_TRUE(toQtNameFilters(QString()).isEmpty());
}

TEST(FileDialogs, ShowsEachDescriptionExactlyAndCancelGivesNothing) {
    const QList<QPair<QString, QStringList>> cases = {
        {QStringLiteral("*.ELF (PS2 Executable File)|*.ELF"),
         {QStringLiteral("*.ELF (PS2 Executable File)")}},
        {QStringLiteral("*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|"
                        "*.BMP (BMP Image)|*.BMP"),
         {QStringLiteral("*.TGA (32bit Targa)"), QStringLiteral("*.RAW (32bit interleaved RAW)"),
          QStringLiteral("*.BMP (BMP Image)")}},
        {QStringLiteral("*.BMP (Load Font BMP)|*.BMP"), {QStringLiteral("*.BMP (Load Font BMP)")}},
    };
    QtFileDialogs dialogs;
    for (const auto& [filter, expected] : cases) {
        SCOPED_TRACE(filter.toStdString());
        QStringList shown;
        whenDialogShows([&](QFileDialog& dialog) {
            shown = shownFilters(dialog);
            dialog.reject();
        });
        EXPECT_EQ(dialogs.openFile(filter), std::nullopt);
        EXPECT_EQ(shown, expected);
    }
}

TEST(FileDialogs, ListsMatchingNamesInAnyCaseAndReturnsTheChoice) {
    QTemporaryDir dir;
    for (const char* name : {"a.elf", "B.ELF", "c.Elf", "d.txt", "e.elf.bak"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString chosen = dir.filePath(QStringLiteral("c.Elf"));

    QStringList listed;
    whenDialogShows([&](QFileDialog& dialog) {
        auto* model = dialog.findChild<QFileSystemModel*>();
        dialog.setDirectory(dir.path());
        const QModelIndex root = model->index(dir.path());
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) >= 3; }, 5000));
        QTest::qWait(100);
        for (int row = 0; row < model->rowCount(root); ++row)
            listed << model->index(row, 0, root).data().toString();
        // Type the name, as a user would, and press Open.
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("c.Elf"));
        dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Open)
            ->click();
    });

    QtFileDialogs dialogs;
    const auto result = dialogs.openFile(QStringLiteral("*.ELF (PS2 Executable File)|*.ELF"));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("B.ELF"), QStringLiteral("a.elf"),
                                   QStringLiteral("c.Elf")}));
    EXPECT_EQ(result, QDir::toNativeSeparators(chosen));
}
