#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Every test program gets a settings folder of its own before anything reads
// the settings store (QSettings remembers its folders on first use).
#define TALORAN_TEST_MAIN(TestClass)                                               \
    int main(int argc, char **argv)                                                \
    {                                                                              \
        QTemporaryDir configHome;                                                  \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));          \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                               \
        QApplication app(argc, argv);                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                   \
        TestClass tc;                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                 \
        return QTest::qExec(&tc, argc, argv);                                      \
    }
