// Vorix: programming tool for the 16-channel handheld radio.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>

#include "editing/Startup.h"
#include "image/AppState.h"
#include "platform/QtPortNames.h"
#include "platform/QtSettingsScope.h"
#include "ui/LinkDialogs.h"
#include "ui/MainWindow.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtMessageBoxes.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // --help and --version answer on the terminal and end here, before any window or settings.
    QApplication::setApplicationName(QStringLiteral("vorix"));
    QApplication::setApplicationVersion(QString::fromStdString(vorix::ProgramVersion()));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads, edits and writes the configuration of the 16-channel handheld radio."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A radio data file (.rdat) to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);
    // The installed desktop entry and icon theme name the window in task bars and switchers; from
    // the build tree there is no theme icon and the window keeps the platform's default.
    QGuiApplication::setDesktopFileName(QStringLiteral("vorix"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vorix")));

    vorix::AppState state;
    vorix::QtSettingsStore settings;
    vorix::QtMessageBoxes messages;
    vorix::QtFileDialogs files;
    vorix::LinkDialogs linkDialogs(state, settings.store());
    linkDialogs.setReadBackupFolder(vorix::ReadBackupFolder().toStdString());

    vorix::MainWindowServices services{settings.store(), messages, files, "0.5", {}, {}};
    services.formattedHalf = QLocale::system().toString(0.5).toStdString();
    services.userSettings = &settings.userScope();
    linkDialogs.attach(services);

    vorix::MainWindow window(state, services);
    messages.setParent(&window);
    messages.setLanguage(&state.language);
    linkDialogs.setMainWindow(&window);
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.openAtStart(QFileInfo(parser.positionalArguments().first()).absoluteFilePath().toStdString());
    return app.exec();
}
