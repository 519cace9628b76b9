#include "ui/ProgrammingDialog.h"

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
#include "link/LinkTexts.h"
#include "platform/MessageBoxPrompt.h"
#include "platform/QtLinkRunner.h"
#include "platform/QtPortNames.h"
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

ProgrammingDialog::ProgrammingDialog(AppState& state, MessageBoxes& messages, std::function<void()> showImage,
                                     QWidget* parent)
    : QDialog(parent), state_(state), readMode_(state.readMode), showImage_(std::move(showImage)) {
    setObjectName(QStringLiteral("FormProcess"));
    // A fixed dialog box: title and close box, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    buildLayout();

    prompt_ = std::make_unique<MessageBoxPrompt>(messages, state_);
    link::LinkDisplay& display = *this;
    runner_ = std::make_unique<QtLinkRunner>(PortDevicePath(state_.portNumber), state_, *prompt_, display);
    // "Please reselect COM port!" alone leaves the user guessing: name the port and the reason.
    runner_->session().setPortFailureDetail([this] {
        return (PortDescription(state_.portNumber) + QLatin1Char('\n') +
                runner_->serialPort().lastErrorText())
            .toStdString();
    });
    load();
}

// The runner abandons a run still in progress.
ProgrammingDialog::~ProgrammingDialog() = default;

const link::LinkSession& ProgrammingDialog::session() const {
    return runner_->session();
}

void ProgrammingDialog::buildControls() {
    progressLabel_ = makeControl<QLabel>("LabelProcess", this);
    progressBar_ = makeControl<QProgressBar>("ProgressBar1", this);
    progressBar_->setRange(0, kProgressSteps);
    progressBar_->setTextVisible(false); // the percentage is LabelProcess's
    resultField_ = makeControl<QLineEdit>("TextShow", this);
    QFont bold = resultField_->font();
    bold.setBold(true);
    bold.setPointSize(kResultPointSize);
    resultField_->setFont(bold);
    resultField_->setAlignment(Qt::AlignCenter);
    resultField_->setReadOnly(true);

    readButton_ = makeControl<QPushButton>("CommandRead", this);
    writeButton_ = makeControl<QPushButton>("CommandWrite", this);
    cancelButton_ = makeControl<QPushButton>("CommandCancel", this);

    passwordLabel_ = makeControl<QLabel>("LabelPassword", this);
    passwordField_ = makeControl<QLineEdit>("TextPassword", this);
    newPasswordLabel_ = makeControl<QLabel>("LabelNewPassword", this);
    newPasswordField_ = makeControl<QLineEdit>("TextNewPassword", this);
    newPasswordCheck_ = makeControl<QCheckBox>("CheckNewPassword", this);
    MakePasswordField(passwordField_);
    MakePasswordField(newPasswordField_);
    passwordLabel_->setBuddy(passwordField_);
    newPasswordLabel_->setBuddy(newPasswordField_);

    connect(readButton_, &QPushButton::clicked, this, &ProgrammingDialog::onReadClicked);
    connect(writeButton_, &QPushButton::clicked, this, &ProgrammingDialog::onWriteClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(newPasswordCheck_, &QCheckBox::clicked, this, &ProgrammingDialog::onNewPasswordToggled);
}

void ProgrammingDialog::buildLayout() {
    const TwipScale twips(*this);
    progressLabel_->setMinimumSize(twips.x(kLabelWidth), twips.y(kLabelHeight));
    progressBar_->setFixedSize(twips.x(kProgressWidth), twips.y(kProgressHeight));
    // kResultWidth is too narrow for the box's own 15-point texts on most screens: it grows to the
    // longest result text, staying within the bar.
    const QFontMetrics metrics(resultField_->font());
    int resultWidth = twips.x(kResultWidth);
    for (const Language language : {Language::English, Language::Chinese})
        for (const TextId id : {TextId::ReadDataOk, TextId::WriteDataOk})
            resultWidth =
                std::max(resultWidth, metrics.horizontalAdvance(q(Text(id, language))) + metrics.height());
    resultField_->setFixedSize(std::min(resultWidth, twips.x(kProgressWidth)),
                               std::max(twips.y(kResultHeight), metrics.height() + metrics.height() / 2));
    for (QPushButton* button : {readButton_, writeButton_, cancelButton_})
        button->setMinimumSize(twips.x(kButtonWidth), twips.y(kButtonHeight));

    auto* labelRow = new QHBoxLayout;
    labelRow->setSpacing(0);
    labelRow->addSpacing(twips.x(kLabelLeft - kLeftMargin));
    labelRow->addWidget(progressLabel_);
    labelRow->addStretch();

    // The result field lies on the progress bar, centred over it, as one grid cell holds both.
    auto* progress = new QGridLayout;
    progress->addWidget(progressBar_, 0, 0);
    progress->addWidget(resultField_, 0, 0, Qt::AlignCenter);

    // Never shown: the password controls keep their place here without taking any room.
    auto* passwords = new QGridLayout;
    passwords->addWidget(passwordLabel_, 0, 0);
    passwords->addWidget(passwordField_, 0, 1);
    passwords->addWidget(newPasswordLabel_, 1, 0);
    passwords->addWidget(newPasswordField_, 1, 1);
    passwords->addWidget(newPasswordCheck_, 1, 2);

    // Only one of Read and Write is ever shown, so either stands at the same place beside Cancel.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addSpacing(twips.x(kStartButtonLeft - kLeftMargin));
    buttons->addWidget(readButton_);
    buttons->addWidget(writeButton_);
    buttons->addSpacing(twips.x(kCancelLeft - kStartButtonLeft - kButtonWidth));
    buttons->addWidget(cancelButton_);
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
void ProgrammingDialog::load() {
    runner_->session().load();
    passwordField_->clear();
    newPasswordField_->clear();
    resultField_->clear();
    resultField_->setEnabled(false);
    resultField_->hide();
    onNewPasswordToggled(false);
    newPasswordCheck_->setChecked(false);
    applyLanguage();
    // The link sends no password, so its controls stay hidden: a typed one would guard nothing.
    for (QWidget* hidden : std::initializer_list<QWidget*>{newPasswordField_, newPasswordLabel_,
                                                           newPasswordCheck_, passwordField_, passwordLabel_})
        hidden->hide();
    (readMode_ ? writeButton_ : readButton_)->hide();
}

void ProgrammingDialog::applyLanguage() {
    const Language lang = state_.language;
    passwordLabel_->setText(q(Text(TextId::DialogLabelPassword, lang)));
    newPasswordLabel_->setText(q(Text(TextId::DialogLabelNewPassword, lang)));
    writeButton_->setText(q(Text(TextId::DialogCommandWrite, lang)));
    readButton_->setText(q(Text(TextId::DialogCommandRead, lang)));
    cancelButton_->setText(q(Text(TextId::DialogCommandCancel, lang)));
    setWindowTitle(q(Text(readMode_ ? TextId::DialogCaptionRead : TextId::DialogCaptionWrite, lang)));
    progressLabel_->setText(q(Text(TextId::DialogCompleteZero, lang)));
}

QPushButton* ProgrammingDialog::startButton() const {
    return readMode_ ? readButton_ : writeButton_;
}

void ProgrammingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    startButton()->setFocus();
}

void ProgrammingDialog::onReadClicked() {
    resultField_->hide();
    passwordField_->setEnabled(false);
    readButton_->setEnabled(false);
    runner_->session().StartLink(link::LinkStart::Read);
}

void ProgrammingDialog::onWriteClicked() {
    resultField_->hide();
    passwordField_->setEnabled(false);
    newPasswordField_->setEnabled(false);
    newPasswordCheck_->setEnabled(false);
    writeButton_->setEnabled(false);
    runner_->session().StartLink(link::LinkStart::Write);
}

void ProgrammingDialog::onNewPasswordToggled(bool checked) {
    newPasswordField_->setEnabled(checked);
    setFieldBackground(newPasswordField_, checked ? QPalette::Base : QPalette::Window);
}

void ProgrammingDialog::done(int result) {
    runner_->session().abandon(); // a run still going ends here: timer stopped, port closed, no end byte
    state_.readMode = false;
    QDialog::done(result);
}

// ---- What the session shows ----------------------------------------------------------------

void ProgrammingDialog::setCaption(link::LinkCaption caption) {
    setWindowTitle(q(CaptionText(caption, state_.language)));
}

void ProgrammingDialog::resetProgress() {
    progressBar_->setValue(0);
}

void ProgrammingDialog::setProgress(double fraction) {
    progressBar_->setValue(static_cast<int>(std::lround(fraction * kProgressSteps)));
    progressLabel_->setText(q(CompleteLabel(fraction, state_.language)));
}

void ProgrammingDialog::showResult(link::LinkResult result) {
    linkResult_ = result;
    resultField_->setText(q(ResultText(result, state_.language)));
    resultField_->show();
}

void ProgrammingDialog::enableControls() {
    for (QWidget* control : std::initializer_list<QWidget*>{passwordField_, newPasswordField_,
                                                            newPasswordCheck_, readButton_, writeButton_})
        control->setEnabled(true);
}

void ProgrammingDialog::focusStartButton(bool readMode) {
    (readMode ? readButton_ : writeButton_)->setFocus();
}

void ProgrammingDialog::refreshMainWindow() {
    if (showImage_)
        showImage_();
}

void ProgrammingDialog::closeDialog() {
    accept();
}

} // namespace vorix
