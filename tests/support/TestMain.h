#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Linux tests draw offscreen, on one 1280 x 1024 screen; Windows has no
// offscreen platform in a static Qt, so its tests use the Windows platform.
#ifdef Q_OS_WIN
#define TALORAN_TEST_DEFAULT_PLATFORM
#else
#define TALORAN_TEST_DEFAULT_PLATFORM                                              \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                            \
        qputenv("QT_QPA_PLATFORM", TALORAN_TEST_PLATFORM);
#endif

// Every test program gets a settings folder of its own before anything reads
// the settings store (QSettings remembers its folders on first use).
#define TALORAN_TEST_MAIN(TestClass)                                               \
    int main(int argc, char **argv)                                                \
    {                                                                              \
        QTemporaryDir configHome;                                                  \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));          \
        TALORAN_TEST_DEFAULT_PLATFORM                                              \
        QApplication app(argc, argv);                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                   \
        TestClass tc;                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                 \
        return QTest::qExec(&tc, argc, argv);                                      \
    }
