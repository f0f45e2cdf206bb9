#include "x_server.h"

#include "sanitizer_defaults.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>
#include <QTemporaryDir>

// The tests of what the user's own clicks and keys do: the windows open on an X server of
// the tests' own, and input reaches them through it, as a hand's does.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const virdamo::test::PrivateXServer display(1280, 1024);
    display.useFromThisProcess();
    // The user's settings of the tests' own, never the machine user's.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return RUN_ALL_TESTS();
}
