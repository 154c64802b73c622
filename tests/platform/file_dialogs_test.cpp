#include <gtest/gtest.h>

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

#include "platform/desktop/qt_file_dialogs_impl.h"
#include "support/modal_answer.h"

using namespace kelvane;

// As the user sees it: each description exactly as given, the first type's
// files whatever the case of their names; a name typed and Open pressed.
TEST(FileDialogs, ShowsTheTypesListsNamesInAnyCaseAndReturnsTheChoice) {
    QTemporaryDir dir;
    for (const char* name : {"a.tga", "B.TGA", "c.Tga", "d.bmp", "e.tga.bak"})
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));

    QStringList types, listed;
    kelvane::testing::whenModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
        for (int i = 0; i < combo->count(); ++i) types << combo->itemText(i);
        auto* model = dialog->findChild<QFileSystemModel*>();
        dialog->setDirectory(dir.path());
        const QModelIndex root = model->index(dir.path());
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) >= 3; }, 5000));
        QTest::qWait(100);
        for (int row = 0; row < model->rowCount(root); ++row)
            listed << model->index(row, 0, root).data().toString();
        listed.sort();
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("c.Tga");
        dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->click();
    });
    const std::optional<QString> chosen =
        QtFileDialogs().openFile("*.TGA (32bit Targa)|*.TGA|*.BMP (BMP Image)|*.BMP");

    EXPECT_EQ(types, (QStringList{"*.TGA (32bit Targa)", "*.BMP (BMP Image)"}));
    EXPECT_EQ(listed, (QStringList{"B.TGA", "a.tga", "c.Tga"}));
    EXPECT_EQ(chosen, QDir::toNativeSeparators(dir.filePath("c.Tga")));
}
