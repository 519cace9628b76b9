#pragma once
// The tool's per-user ports folder, moved into a temporary folder for one test process, so that a
// test can make any COM number stand for a pseudo-terminal without touching the user's own links.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/QtPortNames.h"

namespace vorix::test {

class TestPortsFolder {
public:
    /// Must run before QApplication exists: the configuration folder is taken from
    /// XDG_CONFIG_HOME, which is set here for this process only.
    TestPortsFolder() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path())); }

    bool isValid() const { return dir_.isValid(); }

    /// Makes COM`number` a link to device; replaces an earlier link of that number.
    static bool link(int number, const QString& device) {
        const QString folder = PortsFolder();
        QDir().mkpath(folder);
        const QString path = linkPath(number);
        QFile::remove(path);
        return QFile::link(device, path);
    }
    static void unlink(int number) { QFile::remove(linkPath(number)); }
    static QString linkPath(int number) { return PortsFolder() + QStringLiteral("/com%1").arg(number); }

private:
    QTemporaryDir dir_;
};

} // namespace vorix::test

/// QTEST_MAIN with the ports folder moved into a temporary folder first.
#define VORIX_TEST_MAIN_WITH_PORTS_FOLDER(TestObject)                                                        \
    int main(int argc, char** argv) {                                                                        \
        vorix::test::TestPortsFolder portsFolder;                                                            \
        if (!portsFolder.isValid())                                                                          \
            return 1;                                                                                        \
        QApplication app(argc, argv);                                                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        TestObject test;                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
