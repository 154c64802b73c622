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

}  // namespace

TEST(NameFilters, SplitsPairsAndSeveralPatternsOfOneEntry) {
    EXPECT_EQ(toQtNameFilters("Pictures|*.BMP;*.dib|Anything"),
              (QStringList{"Pictures (*.[Bb][Mm][Pp] *.[Dd][Ii][Bb])", "Anything (*)"}));
}

TEST(FileDialogs, ShowsEachDescriptionExactlyAndCancelGivesNothing) {
    const QList<QPair<QString, QStringList>> cases = {
        {"*.ELF (PS2 Executable File)|*.ELF", {"*.ELF (PS2 Executable File)"}},
        {"*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|*.BMP (BMP Image)|*.BMP",
         {"*.TGA (32bit Targa)", "*.RAW (32bit interleaved RAW)", "*.BMP (BMP Image)"}},
    };
    QtFileDialogs dialogs;
    for (const auto& [filter, expected] : cases) {
        SCOPED_TRACE(filter.toStdString());
        QStringList shown;
        whenDialogShows([&](QFileDialog& dialog) {
            auto* combo = dialog.findChild<QComboBox*>("fileTypeCombo");
            for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
            dialog.reject();
        });
        EXPECT_EQ(dialogs.openFile(filter), std::nullopt);
        EXPECT_EQ(shown, expected);
    }
}

TEST(FileDialogs, ListsMatchingNamesInAnyCaseAndReturnsTheChoice) {
    QTemporaryDir dir;
    for (const char* name : {"a.elf", "B.ELF", "c.Elf", "d.txt", "e.elf.bak"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

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
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("c.Elf");
        dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->click();
    });

    QtFileDialogs dialogs;
    const auto result = dialogs.openFile("*.ELF (PS2 Executable File)|*.ELF");
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"B.ELF", "a.elf", "c.Elf"}));
    EXPECT_EQ(result, QDir::toNativeSeparators(dir.filePath("c.Elf")));
}
