// The tool's real start-up for the start-up benchmark: the main window with the same services that
// src/app/main.cpp gives it (keep the two in step), reporting when it stands shown and idle.

#include <QApplication>
#include <QLocale>

#include "StartupProbe.h"
#include "image/AppState.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSettingsScope.h"
#include "ui/InterfaceTexts.h"
#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vorix::AppState state;
    vorix::QtSettingsStore settings;
    vorix::QtMessageBoxes messages;
    vorix::QtFileDialogs files;

    vorix::MainWindowServices services{settings.store(), messages, files, "0.5", {}, {}};
    services.formattedHalf = QLocale::system().toString(0.5).toStdString();
    const auto linkNotAvailable = [&] {
        messages.show(std::string(vorix::Text(vorix::TextId::LinkNotAvailable, state.IsEnglish)),
                      std::string(vorix::Text(vorix::TextId::ApplicationTitle, state.IsEnglish)),
                      vorix::MessageButtons::Ok, vorix::MessageIcon::Exclamation);
        state.ReadMode = false;
    };
    services.openProgrammingDialog = linkNotAvailable;
    services.openPortDialog = linkNotAvailable;

    vorix::MainWindow window(state, services);
    messages.setParent(&window);
    window.show();
    vorix::bench::ReportWhenShownAndIdle(window);
    return app.exec();
}
