#pragma once
// The serial port dialog: chooses the port COMn through which the radio is programmed.

#include <QDialog>
#include <functional>

#include "image/AppState.h"
#include "platform/PortProbe.h"
#include "store/SettingsStore.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vorix {

/// Which ports can be opened right now; ProbePorts() for this machine, a fixed answer in tests.
using PortProber = std::function<PortProbeResult()>;

/// The modal dialog that lists the ports that open at this moment as "COMn", preselects
/// portNumber (or else the first port, which then becomes portNumber at once, unstored), and on OK
/// makes the chosen port portNumber and stores it as the setting ComPort.
class PortDialog final : public QDialog {
    Q_OBJECT

public:
    /// Probes the ports at once; state and settings must outlive the dialog.
    PortDialog(AppState& state, SettingsStore& settings, const PortProber& probe, QWidget* parent = nullptr);

public slots:
    /// Takes the selected port (nothing changes when the list is empty) and closes the dialog.
    void onOkClicked();

private:
    void buildControls();
    void buildLayout();
    void applyTexts();
    void fillList(const PortProbeResult& probed);

    AppState& state_;
    SettingsStore& settings_;
    QLabel* portLabel_ = nullptr;
    QComboBox* portList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* noPermissionLabel_ = nullptr;
};

/// The port number of a list item "COMn"; 0 when the text holds none.
int PortNumberOfItem(const QString& item);

} // namespace vorix
