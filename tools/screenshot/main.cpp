// Renders the main window with a few channels filled in and saves it as a PNG, for the README.
// Usage: vorix-screenshot OUT.png [--chinese | --edit-menu]   (run under a real X server such as Xvfb)
// --edit-menu shows the window with two rows selected and its Edit menu open.

#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "editing/ChannelEditing.h"
#include "editing/OptionControls.h"
#include "image/AppState.h"
#include "store/SettingsStore.h"
#include "ui/ChannelGrid.h"
#include "ui/MainWindow.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtMessageBoxes.h"

namespace {

// Settings that are neither read from nor written to the user's real store.
class NoSettings final : public vorix::SettingsScope {
public:
    std::optional<vorix::StoredValue> read(std::string_view) override { return std::nullopt; }
    bool isWritable() override { return false; }
    vorix::Result<void> write(std::string_view, std::string_view) override {
        return vorix::Failure{"the screenshot keeps no settings"};
    }
};

struct SampleChannel {
    int channel;
    const char* frequency;
    const char* tone;
    int spacing;
    int power;
};

constexpr SampleChannel kSamples[] = {
    {1, "145.5", "88.5", 1, 1},     {2, "146.52", "None", 1, 1},    {3, "433.5", "D023N", 0, 1},
    {4, "446.00625", "67.0", 0, 0}, {5, "462.5625", "D754I", 0, 0}, {6, "151.625", "100.0", 1, 0},
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [--chinese | --edit-menu]\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const bool chinese = argc > 2 && QString::fromLatin1(argv[2]) == QLatin1String("--chinese");
    const bool editMenu = argc > 2 && QString::fromLatin1(argv[2]) == QLatin1String("--edit-menu");

    vorix::AppState state;
    NoSettings machine, user;
    vorix::SettingsStore settings(machine, user);
    vorix::QtMessageBoxes messages;
    vorix::QtFileDialogs files;
    vorix::MainWindowServices services{
        settings, messages, files, QLocale::system().toString(0.5).toStdString(), {}, {}};
    vorix::MainWindow window(state, services);
    if (chinese)
        window.onLanguageClicked();

    // The channels go in through the same editing rules as the grid's editors.
    for (const SampleChannel& s : kSamples) {
        vorix::CommitFrequencyText(state, s.channel, s.frequency, true);
        vorix::CommitToneText(state, s.channel, s.tone);
        vorix::CommitSpacingItem(state, s.channel, s.spacing);
        vorix::CommitPowerItem(state, s.channel, s.power);
    }
    vorix::ApplyOptionItem(state.image, vorix::OptionList::Tot, 4);
    vorix::ApplyOptionItem(state.image, vorix::OptionList::SqLevel, 12);
    window.showImage();
    window.show();

    QMenu* edit = window.findChild<QMenu*>(QStringLiteral("MenuEdit"));
    if (editMenu && edit) {
        window.grid()->selectChannels({2, 3});
        QTimer::singleShot(200, &app,
                           [&] { window.findChild<QMenuBar*>()->setActiveAction(edit->menuAction()); });
    }

    QTimer::singleShot(500, &app, [&] {
        // An open menu is a window of its own: the screen is taken where the two lie.
        const QRect area = editMenu && edit ? window.frameGeometry().united(edit->geometry()) : QRect();
        const bool ok =
            editMenu
                ? window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(out)
                : window.grab().save(out);
        std::fprintf(stderr, ok ? "saved %s\n" : "could not save %s\n", qPrintable(out));
        app.exit(ok ? 0 : 1);
    });
    return app.exec();
}
