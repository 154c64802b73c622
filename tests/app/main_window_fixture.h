#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {

// The main window over the recording fakes, shown and active, with its
// program directory in a fresh temporary folder.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kitDir.isValid());
        window = std::make_unique<MainWindow>(nativeProgramDirectory(kitDir.path()),
                                              platform.services());
        showActive();
    }
    void showActive() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    Ui::MainWindow& ui() { return window->ui(); }
    QString label(const char* name) { return window->findChild<QLabel*>(name)->text(); }

    // A file of `size` bytes in the program directory; its native path.
    QString writeFile(const QString& name, qint64 size) {
        const QString path = QDir(kitDir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
        return QDir::toNativeSeparators(path);
    }

    QString focused() {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("(none)");
    }

    void focusOn(QWidget* control) {
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return control->hasFocus(); }));
    }

    // A key typed into whatever has the focus, as a user types it.
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    QTemporaryDir kitDir;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
};

}  // namespace kelvane::testing
