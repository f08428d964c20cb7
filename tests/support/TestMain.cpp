#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "tests/support/ScriptedDialogService.h"

// Every test program runs with a QApplication on the offscreen platform, and with a dialog
// service that fails the test on any prompt the test did not script.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marrowpad"));
    TDialogService::Install(std::make_unique<TScriptedDialogService>());
    return RUN_ALL_TESTS();
}
