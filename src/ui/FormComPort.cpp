#include "ui/FormComPort.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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

const QString kItemPrefix = QStringLiteral("COM");

} // namespace

int PortNumberOfItem(const QString& item) {
    // The item's text less its first three characters, "COM", read as a whole number.
    bool ok = false;
    const int number = item.mid(kItemPrefix.size()).toInt(&ok);
    return ok ? number : 0;
}

FormComPort::FormComPort(AppState& state, SettingsStore& settings, const PortProber& probe, QWidget* parent)
    : QDialog(parent), state_(state), settings_(settings) {
    setObjectName(QStringLiteral("FormComPort"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    buildLayout();
    applyTexts();
    fillList(probe ? probe() : PortProbeResult{});
}

void FormComPort::buildControls() {
    labelComPort_ = new QLabel(this);
    labelComPort_->setObjectName(QStringLiteral("LabelComPort"));
    comboComPort_ = new QComboBox(this); // a drop-down list: choosing only, no typing
    comboComPort_->setObjectName(QStringLiteral("ComboComPort"));
    labelComPort_->setBuddy(comboComPort_);
    commandOk_ = new QPushButton(this);
    commandOk_->setObjectName(QStringLiteral("CommandOk"));
    commandOk_->setDefault(true);
    commandCancel_ = new QPushButton(this);
    commandCancel_->setObjectName(QStringLiteral("CommandCancel"));
    labelNoPermission_ = new QLabel(this);
    labelNoPermission_->setObjectName(QStringLiteral("LabelNoPermission"));
    labelNoPermission_->setWordWrap(true);
    labelNoPermission_->setTextInteractionFlags(Qt::TextSelectableByMouse); // so the command can be copied
    labelNoPermission_->hide();

    connect(commandOk_, &QPushButton::clicked, this, &FormComPort::CommandOk_Click);
    connect(commandCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void FormComPort::buildLayout() {
    const TwipScale twips(*this);
    labelComPort_->setMinimumSize(twips.x(kLabelWidth), twips.y(kListHeight));
    comboComPort_->setMinimumSize(twips.x(kListWidth), twips.y(kListHeight));
    for (QPushButton* button : {commandOk_, commandCancel_})
        button->setMinimumSize(twips.x(kButtonWidth), twips.y(kButtonHeight));
    labelNoPermission_->setFixedWidth(twips.x(kHintWidth));
    labelNoPermission_->setContentsMargins(0, twips.y(kBottomMargin), 0, 0); // hidden with the label

    auto* listRow = new QHBoxLayout;
    listRow->setSpacing(0);
    listRow->addSpacing(twips.x(kLabelLeft - kOkLeft));
    listRow->addWidget(labelComPort_);
    listRow->addSpacing(twips.x(kListLeft - kLabelLeft - kLabelWidth));
    listRow->addWidget(comboComPort_);
    listRow->addStretch();

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(0);
    buttonRow->addWidget(commandOk_);
    buttonRow->addSpacing(twips.x(kCancelLeft - kOkLeft - kButtonWidth));
    buttonRow->addWidget(commandCancel_);
    buttonRow->addStretch();

    auto* main = new QVBoxLayout(this);
    main->setSpacing(0);
    main->setContentsMargins(twips.x(kOkLeft), twips.y(kListTop),
                             twips.x(kClientWidth - kListLeft - kListWidth), twips.y(kBottomMargin));
    main->addLayout(listRow);
    main->addSpacing(twips.y(kButtonTop - kListTop - kListHeight));
    main->addLayout(buttonRow);
    main->addWidget(labelNoPermission_);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

void FormComPort::applyTexts() {
    const bool en = state_.IsEnglish;
    setWindowTitle(q(Text(TextId::PortDialogTitle, en)));
    labelComPort_->setText(q(Text(TextId::PortDialogLabel, en)));
    commandOk_->setText(q(Text(TextId::PortDialogOk, en)));
    commandCancel_->setText(q(Text(TextId::PortDialogCancel, en)));
    labelNoPermission_->setText(q(Text(TextId::PortDialogNoPermission, en)));
}

void FormComPort::fillList(const PortProbeResult& probed) {
    int current = -1;
    for (const ProbedPort& port : probed.openable) {
        comboComPort_->addItem(kItemPrefix + QString::number(port.number));
        const int index = comboComPort_->count() - 1;
        comboComPort_->setItemData(index, port.devicePath, Qt::ToolTipRole);
        if (port.number == state_.PortNumber)
            current = index;
    }
    // A device this account may not open is missing from the list, also beside ports that did
    // open: say how to get the rights.
    labelNoPermission_->setVisible(probed.permissionDenied);
    if (comboComPort_->count() == 0) {
        comboComPort_->setCurrentIndex(-1);
        return;
    }
    if (current < 0) {
        // The port in use is gone: the first one stands in at once, but is only stored on OK.
        current = 0;
        state_.PortNumber = static_cast<std::int16_t>(PortNumberOfItem(comboComPort_->itemText(0)));
    }
    comboComPort_->setCurrentIndex(current);
}

void FormComPort::CommandOk_Click() {
    if (comboComPort_->currentIndex() >= 0) {
        const int number = PortNumberOfItem(comboComPort_->currentText());
        state_.PortNumber = static_cast<std::int16_t>(number);
        settings_.SetStringValue(kComPortValue, std::to_string(number));
    }
    accept();
}

} // namespace vorix
