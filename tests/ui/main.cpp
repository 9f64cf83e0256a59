// The window tests run the real windows on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "window_test_support.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(vl::ui::test::kHoldFolderVariable)) {
        QCoreApplication app(argc, argv);
        return vl::ui::test::holdWorkingFolder(
            qEnvironmentVariable(vl::ui::test::kHoldFolderVariable));
    }
    if (qEnvironmentVariableIsSet(vl::ui::test::kKeyingChildVariable)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return vl::ui::test::keyUntilEnded(qEnvironmentVariable(vl::ui::test::kKeyingChildVariable));
    }
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
