#include "ui/PortDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "link/PortHardware.h"
#include "texts/InterfaceTexts.h"
#include "ui/QtText.h"
#include "ui/TwipScale.h"

namespace vorix {

namespace {

// The dialog's layout in twips (1/1440 inch), so it keeps its proportions at any dpi.
constexpr int kClientWidth = 3885;
constexpr int kLabelLeft = 840;
constexpr int kLabelWidth = 855;
constexpr int kListLeft = 1800;
constexpr int kListWidth = 1215;
constexpr int kListTop = 480;
constexpr int kListHeight = 300;
constexpr int kButtonTop = 1080;
constexpr int kOkLeft = 600;
constexpr int kCancelLeft = 1920;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;
constexpr int kBottomMargin = 300; // client height 1755 below the buttons' bottom at 1455
// The hint on missing rights is long: when shown it widens the dialog rather than wrap word by word.
constexpr int kHintWidth = 6000;
// Lines the connection test's answer may take.
constexpr int kConnectionLines = 3;

} // namespace

int PortNumberOfItem(const QString& item) {
    // Only the number after "COM": the description that follows it is no part of the port.
    return link::PortNumberOfItemText(item.toStdString());
}

PortDialog::PortDialog(AppState& state, SettingsStore& settings, const PortProber& probe, QWidget* parent,
                       ConnectionTester test)
    : QDialog(parent), probe_(probe), test_(test ? std::move(test) : ConnectionTester(RunConnectionTest)),
      state_(state), settings_(settings) {
    setObjectName(QStringLiteral("FormComPort"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    buildLayout();
    applyTexts();
    fillList(probe_ ? probe_() : PortProbeResult{}, true);
    pollTimer_ = new QTimer(this);
    pollTimer_->setObjectName(QStringLiteral("PortPollTimer"));
    pollTimer_->setInterval(kPollIntervalMs);
    connect(pollTimer_, &QTimer::timeout, this, &PortDialog::onPollTimeout);
    pollTimer_->start();
}

void PortDialog::onTestConnectionClicked() {
    if (portList_->currentIndex() < 0)
        return;
    const int number = PortNumberOfItem(portList_->currentText());
    const QString device = portList_->currentData(Qt::ToolTipRole).toString();
    const Language lang = state_.language;
    connectionLabel_->setText(
        q(link::ConnectionResultText(link::ConnectionResult::Running, number, {}, lang)));
    // The test runs the event loop for up to three seconds: no poll may refill the list meanwhile,
    // and no second test may start.
    pollTimer_->stop();
    testButton_->setEnabled(false);
    const ConnectionOutcome outcome = test_(device);
    testButton_->setEnabled(true);
    pollTimer_->start();
    connectionLabel_->setText(
        q(link::ConnectionResultText(outcome.result, number, outcome.reason.toStdString(), lang)));
}

void PortDialog::onPollTimeout() {
    if (!probe_)
        return;
    PortProbeResult probed = probe_();
    // Nothing plugged or pulled: the list is left alone, an open drop-down list included.
    if (probed.openable == shown_.openable && probed.permissionDenied == shown_.permissionDenied)
        return;
    fillList(probed, portList_->count() == 0);
}

void PortDialog::buildControls() {
    portLabel_ = new QLabel(this);
    portLabel_->setObjectName(QStringLiteral("LabelComPort"));
    portList_ = new QComboBox(this); // a drop-down list: choosing only, no typing
    portList_->setObjectName(QStringLiteral("ComboComPort"));
    portLabel_->setBuddy(portList_);
    okButton_ = new QPushButton(this);
    okButton_->setObjectName(QStringLiteral("CommandOk"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("CommandCancel"));
    testButton_ = new QPushButton(this);
    testButton_->setObjectName(QStringLiteral("CommandTestConnection"));
    testButton_->setAutoDefault(false); // Enter stays with OK
    connectionLabel_ = new QLabel(this);
    connectionLabel_->setObjectName(QStringLiteral("LabelConnection"));
    connectionLabel_->setWordWrap(true);
    connectionLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    noPermissionLabel_ = new QLabel(this);
    noPermissionLabel_->setObjectName(QStringLiteral("LabelNoPermission"));
    noPermissionLabel_->setWordWrap(true);
    noPermissionLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse); // so the command can be copied
    noPermissionLabel_->hide();

    connect(okButton_, &QPushButton::clicked, this, &PortDialog::onOkClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(testButton_, &QPushButton::clicked, this, &PortDialog::onTestConnectionClicked);
}

void PortDialog::buildLayout() {
    const TwipScale twips(*this);
    portLabel_->setMinimumSize(twips.x(kLabelWidth), twips.y(kListHeight));
    portList_->setMinimumSize(twips.x(kListWidth), twips.y(kListHeight));
    for (QPushButton* button : {okButton_, cancelButton_, testButton_})
        button->setMinimumSize(twips.x(kButtonWidth), twips.y(kButtonHeight));
    noPermissionLabel_->setFixedWidth(twips.x(kHintWidth));
    connectionLabel_->setFixedWidth(twips.x(kCancelLeft + kButtonWidth - kOkLeft));
    // Room for the longest answer, the system's reason included, so the fixed-size dialog never cuts it.
    connectionLabel_->setMinimumHeight(connectionLabel_->fontMetrics().lineSpacing() * kConnectionLines);
    connectionLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    noPermissionLabel_->setContentsMargins(0, twips.y(kBottomMargin), 0, 0); // hidden with the label

    auto* listRow = new QHBoxLayout;
    listRow->setSpacing(0);
    listRow->addSpacing(twips.x(kLabelLeft - kOkLeft));
    listRow->addWidget(portLabel_);
    listRow->addSpacing(twips.x(kListLeft - kLabelLeft - kLabelWidth));
    listRow->addWidget(portList_);
    listRow->addStretch();

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(0);
    buttonRow->addWidget(okButton_);
    buttonRow->addSpacing(twips.x(kCancelLeft - kOkLeft - kButtonWidth));
    buttonRow->addWidget(cancelButton_);
    buttonRow->addStretch();

    auto* main = new QVBoxLayout(this);
    main->setSpacing(0);
    main->setContentsMargins(twips.x(kOkLeft), twips.y(kListTop),
                             twips.x(kClientWidth - kListLeft - kListWidth), twips.y(kBottomMargin));
    main->addLayout(listRow);
    main->addSpacing(twips.y(kButtonTop - kListTop - kListHeight));
    main->addLayout(buttonRow);
    // Below the window's own controls: the connection test and what it found.
    main->addSpacing(twips.y(kButtonTop - kListTop - kListHeight));
    main->addWidget(testButton_, 0, Qt::AlignLeft);
    main->addWidget(connectionLabel_);
    main->addWidget(noPermissionLabel_);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

void PortDialog::applyTexts() {
    const Language lang = state_.language;
    setWindowTitle(q(Text(TextId::PortDialogTitle, lang)));
    portLabel_->setText(q(Text(TextId::PortDialogLabel, lang)));
    okButton_->setText(q(Text(TextId::PortDialogOk, lang)));
    cancelButton_->setText(q(Text(TextId::PortDialogCancel, lang)));
    testButton_->setText(q(Text(TextId::PortDialogTestConnection, lang)));
    // The caption without its access key: "&Test connection", "测试连接(&T)".
    testButton_->setAccessibleName(
        testButton_->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)$"))).remove(QLatin1Char('&')));
    noPermissionLabel_->setText(q(Text(TextId::PortDialogNoPermission, lang)));
}

void PortDialog::fillList(const PortProbeResult& probed, bool wasEmpty) {
    shown_ = probed;
    // The selection follows its port, not its row; before the first fill it is the port in use.
    const int selected = wasEmpty ? state_.portNumber : PortNumberOfItem(portList_->currentText());
    const QSignalBlocker quiet(portList_);
    portList_->clear();
    int current = -1;
    for (const ProbedPort& port : probed.openable) {
        portList_->addItem(q(link::PortItemText(port.number, port.origin, state_.language)));
        const int index = portList_->count() - 1;
        portList_->setItemData(index, port.devicePath, Qt::ToolTipRole);
        if (port.number == selected)
            current = index;
    }
    // A device this account may not open is missing from the list, also beside ports that did
    // open: say how to get the rights.
    noPermissionLabel_->setVisible(probed.permissionDenied);
    testButton_->setEnabled(!probed.openable.empty());
    if (portList_->count() == 0) {
        portList_->setCurrentIndex(-1);
        return;
    }
    if (current < 0) {
        current = 0;
        // The port in use is gone: the first one stands in at once, but is only stored on OK. A
        // later refresh leaves the port in use alone: only the user's choice and OK change it.
        if (wasEmpty)
            state_.portNumber = static_cast<std::int16_t>(PortNumberOfItem(portList_->itemText(0)));
    }
    portList_->setCurrentIndex(current);
}

void PortDialog::onOkClicked() {
    if (portList_->currentIndex() >= 0) {
        const int number = PortNumberOfItem(portList_->currentText());
        state_.portNumber = static_cast<std::int16_t>(number);
        // The port holds for this run either way; a store that refuses it is not worth a message box.
        (void)settings_.SetStringValue(kComPortValue, std::to_string(number));
    }
    accept();
}

} // namespace vorix
