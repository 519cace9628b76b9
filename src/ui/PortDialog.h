#pragma once
// The serial port dialog: chooses the port COMn through which the radio is programmed.

#include <QDialog>
#include <functional>

#include "image/AppState.h"
#include "platform/PortProbe.h"
#include "platform/QtConnectionTest.h"
#include "store/SettingsStore.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vorix {

/// Which ports can be opened right now, asked again on every poll; a PortScan of this machine, a
/// scripted answer in tests.
using PortProber = std::function<PortProbeResult()>;

/// Whether the radio answers on a device: RunConnectionTest for this machine, scripted in tests.
using ConnectionTester = std::function<ConnectionOutcome(const QString& devicePath)>;

/// The modal dialog that lists the ports that open at this moment as "COMn" followed by what the
/// system knows of the device ("COM33 — FT232R USB UART (FTDI, A50285BI)"), preselects portNumber
/// (or else the first port, which then becomes portNumber at once, unstored), and on OK makes the
/// chosen port portNumber and stores it as the setting ComPort. While it is open it polls the
/// ports once a second and follows what was plugged in or pulled out.
class PortDialog final : public QDialog {
    Q_OBJECT

public:
    /// Probes the ports at once; state and settings must outlive the dialog. Test connection runs
    /// test (RunConnectionTest when empty).
    PortDialog(AppState& state, SettingsStore& settings, const PortProber& probe, QWidget* parent = nullptr,
               ConnectionTester test = {});

    /// Milliseconds between two polls of the ports.
    static constexpr int kPollIntervalMs = 1000;

public slots:
    /// Takes the selected port (nothing changes when the list is empty) and closes the dialog.
    void onOkClicked();
    /// Probes the ports again and refreshes the list: the selection stays when its port is still
    /// there, and portNumber changes only when the list was empty before (the first port found
    /// then stands in, as on opening). The poll timer calls it; tests call it directly.
    void onPollTimeout();
    /// Sends the handshake to the selected port and says whether the radio answers; nothing when
    /// the list is empty. The port in use and the settings do not change.
    void onTestConnectionClicked();

private:
    void buildControls();
    void buildLayout();
    void applyTexts();
    void fillList(const PortProbeResult& probed, bool wasEmpty);

    PortProber probe_;
    ConnectionTester test_;
    PortProbeResult shown_; // what the list shows
    AppState& state_;
    SettingsStore& settings_;
    QLabel* portLabel_ = nullptr;
    QComboBox* portList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QLabel* connectionLabel_ = nullptr;
    QTimer* pollTimer_ = nullptr;
    QLabel* noPermissionLabel_ = nullptr;
};

/// The port number of a list item "COMn …", read from the digits after "COM" alone; 0 when the
/// text holds none.
int PortNumberOfItem(const QString& item);

} // namespace vorix
