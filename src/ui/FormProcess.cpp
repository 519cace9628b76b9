#include "ui/FormProcess.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "link/LinkSession.h"
#include "platform/QtLinkRunner.h"
#include "platform/QtPortNames.h"
#include "link/LinkTexts.h"
#include "platform/MessageBoxPrompt.h"
#include "texts/InterfaceTexts.h"
#include "ui/PasswordField.h"
#include "ui/QtText.h"
#include "ui/TwipScale.h"

namespace vorix {

namespace {

// The dialog's layout in twips (1/1440 inch): its inner width and where its rows begin.
constexpr int kDialogWidth = 4680;
constexpr int kLeftMargin = 240; // ProgressBar1's left edge
constexpr int kTopMargin = 120;  // LabelProcess's top edge
constexpr int kBottomMargin = 255;
constexpr int kProgressTop = 480;
constexpr int kButtonTop = 1800; // the one row of buttons, once the dialog has arranged them
constexpr int kStartButtonLeft = 1080;
constexpr int kCancelLeft = 2400;
constexpr int kLabelLeft = 720;
constexpr int kLabelHeight = 255;
constexpr int kProgressWidth = 4095;
constexpr int kProgressHeight = 615;
constexpr int kResultWidth = 1695;
constexpr int kResultHeight = 375;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 375;
constexpr int kLabelWidth = 1335;
constexpr int kResultPointSize = 15;

template <class Widget> Widget* makeControl(const char* name, QWidget* parent) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The new-password field's background tells whether it can be used.
void setFieldBackground(QLineEdit* field, QPalette::ColorRole from) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, field->parentWidget()->palette().color(from));
    field->setPalette(palette);
}

} // namespace

FormProcess::FormProcess(AppState& state, MessageBoxes& messages,
                         std::function<void()> analyseChannelInformation, QWidget* parent)
    : QDialog(parent), state_(state), readMode_(state.ReadMode),
      analyseChannelInformation_(std::move(analyseChannelInformation)) {
    setObjectName(QStringLiteral("FormProcess"));
    // A fixed dialog box: title and close box, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    buildLayout();

    prompt_ = std::make_unique<MessageBoxPrompt>(messages, state_);
    link::LinkDisplay& display = *this;
    runner_ = std::make_unique<QtLinkRunner>(PortDevicePath(state_.PortNumber), state_, *prompt_, display);
    // "Please reselect COM port!" alone leaves the user guessing: name the port and the reason.
    runner_->session().setPortFailureDetail([this] {
        return (PortDescription(state_.PortNumber) + QLatin1Char('\n') +
                runner_->serialPort().lastErrorText())
            .toStdString();
    });
    load();
}

// The runner abandons a run still in progress.
FormProcess::~FormProcess() = default;

const link::LinkSession& FormProcess::session() const {
    return runner_->session();
}

void FormProcess::buildControls() {
    labelProcess_ = makeControl<QLabel>("LabelProcess", this);
    progressBar1_ = makeControl<QProgressBar>("ProgressBar1", this);
    progressBar1_->setRange(0, kProgressSteps);
    progressBar1_->setTextVisible(false); // the percentage is LabelProcess's
    textShow_ = makeControl<QLineEdit>("TextShow", this);
    QFont bold = textShow_->font();
    bold.setBold(true);
    bold.setPointSize(kResultPointSize);
    textShow_->setFont(bold);
    textShow_->setAlignment(Qt::AlignCenter);
    textShow_->setReadOnly(true);

    commandRead_ = makeControl<QPushButton>("CommandRead", this);
    commandWrite_ = makeControl<QPushButton>("CommandWrite", this);
    commandCancel_ = makeControl<QPushButton>("CommandCancel", this);

    labelPassword_ = makeControl<QLabel>("LabelPassword", this);
    textPassword_ = makeControl<QLineEdit>("TextPassword", this);
    labelNewPassword_ = makeControl<QLabel>("LabelNewPassword", this);
    textNewPassword_ = makeControl<QLineEdit>("TextNewPassword", this);
    checkNewPassword_ = makeControl<QCheckBox>("CheckNewPassword", this);
    MakePasswordField(textPassword_);
    MakePasswordField(textNewPassword_);
    labelPassword_->setBuddy(textPassword_);
    labelNewPassword_->setBuddy(textNewPassword_);

    connect(commandRead_, &QPushButton::clicked, this, &FormProcess::CommandRead_Click);
    connect(commandWrite_, &QPushButton::clicked, this, &FormProcess::CommandWrite_Click);
    connect(commandCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(checkNewPassword_, &QCheckBox::clicked, this, &FormProcess::CheckNewPassword_Click);
}

void FormProcess::buildLayout() {
    const TwipScale twips(*this);
    labelProcess_->setMinimumSize(twips.x(kLabelWidth), twips.y(kLabelHeight));
    progressBar1_->setFixedSize(twips.x(kProgressWidth), twips.y(kProgressHeight));
    // kResultWidth is too narrow for the box's own 15-point texts on most screens: it grows to the
    // longest result text, staying within the bar.
    const QFontMetrics metrics(textShow_->font());
    int resultWidth = twips.x(kResultWidth);
    for (const bool english : {true, false})
        for (const TextId id : {TextId::ReadDataOk, TextId::WriteDataOk})
            resultWidth =
                std::max(resultWidth, metrics.horizontalAdvance(q(Text(id, english))) + metrics.height());
    textShow_->setFixedSize(std::min(resultWidth, twips.x(kProgressWidth)),
                            std::max(twips.y(kResultHeight), metrics.height() + metrics.height() / 2));
    for (QPushButton* button : {commandRead_, commandWrite_, commandCancel_})
        button->setMinimumSize(twips.x(kButtonWidth), twips.y(kButtonHeight));

    auto* labelRow = new QHBoxLayout;
    labelRow->setSpacing(0);
    labelRow->addSpacing(twips.x(kLabelLeft - kLeftMargin));
    labelRow->addWidget(labelProcess_);
    labelRow->addStretch();

    // The result field lies on the progress bar, centred over it, as one grid cell holds both.
    auto* progress = new QGridLayout;
    progress->addWidget(progressBar1_, 0, 0);
    progress->addWidget(textShow_, 0, 0, Qt::AlignCenter);

    // Never shown: the password controls keep their place here without taking any room.
    auto* passwords = new QGridLayout;
    passwords->addWidget(labelPassword_, 0, 0);
    passwords->addWidget(textPassword_, 0, 1);
    passwords->addWidget(labelNewPassword_, 1, 0);
    passwords->addWidget(textNewPassword_, 1, 1);
    passwords->addWidget(checkNewPassword_, 1, 2);

    // Only one of Read and Write is ever shown, so either stands at the same place beside Cancel.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addSpacing(twips.x(kStartButtonLeft - kLeftMargin));
    buttons->addWidget(commandRead_);
    buttons->addWidget(commandWrite_);
    buttons->addSpacing(twips.x(kCancelLeft - kStartButtonLeft - kButtonWidth));
    buttons->addWidget(commandCancel_);
    buttons->addStretch();

    auto* main = new QVBoxLayout(this);
    main->setSpacing(0);
    main->setContentsMargins(twips.x(kLeftMargin), twips.y(kTopMargin),
                             twips.x(kDialogWidth - kLeftMargin - kProgressWidth), twips.y(kBottomMargin));
    main->addLayout(labelRow);
    main->addSpacing(twips.y(kProgressTop - kTopMargin - kLabelHeight));
    main->addLayout(progress);
    main->addLayout(passwords);
    main->addSpacing(twips.y(kButtonTop - kProgressTop - kProgressHeight));
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

// The dialog's loading: the link's starting values, empty fields, texts, and the mode's controls.
void FormProcess::load() {
    runner_->session().load();
    textPassword_->clear();
    textNewPassword_->clear();
    textShow_->clear();
    textShow_->setEnabled(false);
    textShow_->hide();
    CheckNewPassword_Click(false);
    checkNewPassword_->setChecked(false);
    ApplyDialogLanguage();
    // The link sends no password, so its controls stay hidden: a typed one would guard nothing.
    for (QWidget* hidden : std::initializer_list<QWidget*>{textNewPassword_, labelNewPassword_,
                                                           checkNewPassword_, textPassword_, labelPassword_})
        hidden->hide();
    (readMode_ ? commandWrite_ : commandRead_)->hide();
}

void FormProcess::ApplyDialogLanguage() {
    const bool en = state_.IsEnglish;
    labelPassword_->setText(q(Text(TextId::DialogLabelPassword, en)));
    labelNewPassword_->setText(q(Text(TextId::DialogLabelNewPassword, en)));
    commandWrite_->setText(q(Text(TextId::DialogCommandWrite, en)));
    commandRead_->setText(q(Text(TextId::DialogCommandRead, en)));
    commandCancel_->setText(q(Text(TextId::DialogCommandCancel, en)));
    setWindowTitle(q(Text(readMode_ ? TextId::DialogCaptionRead : TextId::DialogCaptionWrite, en)));
    labelProcess_->setText(q(Text(TextId::DialogCompleteZero, en)));
}

QPushButton* FormProcess::startButton() const {
    return readMode_ ? commandRead_ : commandWrite_;
}

void FormProcess::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    startButton()->setFocus();
}

void FormProcess::CommandRead_Click() {
    textShow_->hide();
    textPassword_->setEnabled(false);
    commandRead_->setEnabled(false);
    runner_->session().StartLink(link::LinkStart::Read);
}

void FormProcess::CommandWrite_Click() {
    textShow_->hide();
    textPassword_->setEnabled(false);
    textNewPassword_->setEnabled(false);
    checkNewPassword_->setEnabled(false);
    commandWrite_->setEnabled(false);
    runner_->session().StartLink(link::LinkStart::Write);
}

void FormProcess::CheckNewPassword_Click(bool checked) {
    textNewPassword_->setEnabled(checked);
    setFieldBackground(textNewPassword_, checked ? QPalette::Base : QPalette::Window);
}

void FormProcess::done(int result) {
    runner_->session().abandon(); // a run still going ends here: timer stopped, port closed, no end byte
    state_.ReadMode = false;
    QDialog::done(result);
}

// ---- What the session shows ----------------------------------------------------------------

void FormProcess::setCaption(link::LinkCaption caption) {
    setWindowTitle(q(CaptionText(caption, state_.IsEnglish)));
}

void FormProcess::resetProgress() {
    progressBar1_->setValue(0);
}

void FormProcess::setProgress(double fraction) {
    progressBar1_->setValue(static_cast<int>(std::lround(fraction * kProgressSteps)));
    labelProcess_->setText(q(CompleteLabel(fraction, state_.IsEnglish)));
}

void FormProcess::showResult(link::LinkResult result) {
    textShow_->setText(q(ResultText(result, state_.IsEnglish)));
    textShow_->show();
}

void FormProcess::enableControls() {
    for (QWidget* control : std::initializer_list<QWidget*>{textPassword_, textNewPassword_,
                                                            checkNewPassword_, commandRead_, commandWrite_})
        control->setEnabled(true);
}

void FormProcess::focusStartButton(bool readMode) {
    (readMode ? commandRead_ : commandWrite_)->setFocus();
}

void FormProcess::refreshMainWindow() {
    if (analyseChannelInformation_)
        analyseChannelInformation_();
}

void FormProcess::closeDialog() {
    accept();
}

} // namespace vorix
