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

#include "platform/qt_file_dialogs_impl.h"
#include "support/modal_answer.h"

using namespace kelvane;

namespace {

// Opens the dialog for `filter` in `directory` and acts as its user: reads the
// file types offered and the names listed, then types `choice` and presses
// Open.
struct DialogRun {
    QStringList types, listed;
    std::optional<QString> result;

    DialogRun(const QString& filter, const QString& directory, const QString& choice) {
        kelvane::testing::whenModal<QFileDialog>([&](QFileDialog* dialog) {
            auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
            for (int i = 0; i < combo->count(); ++i) types << combo->itemText(i);
            auto* model = dialog->findChild<QFileSystemModel*>();
            dialog->setDirectory(directory);
            const QModelIndex root = model->index(directory);
            EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) >= 3; }, 5000));
            QTest::qWait(100);
            for (int row = 0; row < model->rowCount(root); ++row)
                listed << model->index(row, 0, root).data().toString();
            listed.sort();
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(choice);
            dialog->findChild<QDialogButtonBox*>("buttonBox")
                ->button(QDialogButtonBox::Open)
                ->click();
        });
        result = QtFileDialogs().openFile(filter);
    }
};

}  // namespace

// Each description is shown exactly as given; the first type lists its files
// whatever the case of their names.
TEST(FileDialogs, ShowsTheTypesListsNamesInAnyCaseAndReturnsTheChoice) {
    QTemporaryDir dir;
    for (const char* name : {"a.tga", "B.TGA", "c.Tga", "d.bmp", "e.tga.bak"})
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    const QString filter =
        "*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|*.BMP (BMP Image)|*.BMP";

    const DialogRun chosen(filter, dir.path(), "c.Tga");
    EXPECT_EQ(chosen.types, (QStringList{"*.TGA (32bit Targa)", "*.RAW (32bit interleaved RAW)",
                                         "*.BMP (BMP Image)"}));
    EXPECT_EQ(chosen.listed, (QStringList{"B.TGA", "a.tga", "c.Tga"}));
    EXPECT_EQ(chosen.result, QDir::toNativeSeparators(dir.filePath("c.Tga")));
}
