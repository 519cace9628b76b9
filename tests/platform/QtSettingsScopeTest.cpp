// The QSettings backend, with both scopes redirected into a temporary folder.

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/QtSettingsScope.h"

using namespace vorix;

class QtSettingsScopeTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString machineDir() const { return dir_.path() + "/machine"; }
    QString userDir() const { return dir_.path() + "/user"; }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // Before any QSettings object exists: objects made earlier keep the old paths.
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::SystemScope, machineDir());
            QSettings::setPath(format, QSettings::UserScope, userDir());
        }
    }

    void init() {
        QFile::remove(machineDir() + "/Talvry/Vorix.conf");
        QFile::remove(userDir() + "/Talvry/Vorix.conf");
    }

    void emptyStoreReadsEmpty() {
        QtSettingsStore settings;
        QCOMPARE(settings.store().GetStringValue(kComPortValue), std::string());
        QCOMPARE(settings.store().GetStringValue(kLanguageValue), std::string());
    }

    void roundTripThroughTheMachineStore() {
        {
            QtSettingsStore settings;
            QVERIFY(settings.store().SetStringValue(kComPortValue, "5").ok());
        }
        QVERIFY(QFile::exists(machineDir() + "/Talvry/Vorix.conf"));
        QtSettingsStore fresh;
        QCOMPARE(fresh.store().GetStringValue(kComPortValue), std::string("5"));
    }

    void userValueIsReadBeforeTheMachineValue() {
        {
            QSettings machine(QSettings::NativeFormat, QSettings::SystemScope, "Talvry", "Vorix");
            machine.setValue("ComPort", "4");
            QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Talvry", "Vorix");
            user.setValue("Language", "False");
        }
        QtSettingsScope user(QSettings::UserScope);
        QVERIFY(!user.read("ComPort").has_value()); // no fallback inside one scope
        QtSettingsStore settings;
        QCOMPARE(settings.store().GetStringValue(kComPortValue), std::string("4"));
        QCOMPARE(settings.store().GetStringValue(kLanguageValue), std::string("False"));
    }

    void textIsKeptAsUtf8() {
        QtSettingsScope user(QSettings::UserScope);
        QVERIFY(user.write("Language", "无").ok());
        QCOMPARE(QtSettingsScope(QSettings::UserScope).read("Language")->text, std::string("无"));
    }

    // What a person typed into the file is one text, also where the file format would see a list.
    void handWrittenValuesReadAsOneText_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("comma") << QByteArray("ComPort=3,4") << "3,4";
        QTest::newRow("trailing comma") << QByteArray("ComPort=3,") << "3,";
        QTest::newRow("quoted") << QByteArray("ComPort=\"3,4\"") << "3,4";
        QTest::newRow("plain") << QByteArray("ComPort=12") << "12";
    }
    void handWrittenValuesReadAsOneText() {
        QFETCH(QByteArray, line);
        QFETCH(QString, text);
        QVERIFY(QDir().mkpath(userDir() + "/Talvry"));
        QFile file(userDir() + "/Talvry/Vorix.conf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\n" + line + "\n");
        file.close();
        QtSettingsStore settings;
        QCOMPARE(QString::fromStdString(settings.store().GetStringValue(kComPortValue)), text);
    }

    void numberTypedValueReadsAsItsDecimalText() {
        {
            QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Talvry", "Vorix");
            user.setValue("ComPort", 12);
        }
        QtSettingsStore settings;
        const std::string text = settings.store().GetStringValue(kComPortValue);
        QCOMPARE(text, std::string("12"));
    }
};

QTEST_GUILESS_MAIN(QtSettingsScopeTest)
#include "QtSettingsScopeTest.moc"
