// The program keeps its settings under its own name, and takes over once what an earlier
// version kept under Qt's "Unknown Organization".
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "gui_test_main.h"
#include "shell/user_settings.h"

class UserSettingsTest : public QObject {
    Q_OBJECT
    QTemporaryDir home;

    QString configFile(const QString& folder) const { return home.path() + "/" + folder + "/Pylora.conf"; }

    void writeEarlierFile(const QString& projectName) {
        QDir(home.path()).mkpath("Unknown Organization");
        QFile file(configFile("Unknown Organization"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(("[report]\nprojectName=" + projectName + "\n").toUtf8());
    }

private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    }

    void earlierSettingsAreTakenOverOnceAndKept() {
        writeEarlierFile("某输气管道工程");
        pylora::useProgramSettings();
        QCOMPARE(QSettings().fileName(), configFile("pylora"));
        QCOMPARE(QSettings().value("report/projectName").toString(), QString("某输气管道工程"));
        QVERIFY(QFile::exists(configFile("Unknown Organization")));

        // Once the program's own file exists, the old one is not read again.
        QSettings().setValue("report/projectName", "新工程");
        QSettings().sync();
        writeEarlierFile("旧工程");
        pylora::useProgramSettings();
        QCOMPARE(QSettings().value("report/projectName").toString(), QString("新工程"));
    }
};

PYLORA_GUI_TEST_MAIN(UserSettingsTest)
#include "user_settings_test.moc"
