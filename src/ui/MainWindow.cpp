#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "platform/PosixFileSystem.h"
#include "store/OutputFile.h"
#include "store/RadioDataFile.h"
#include "ui/ChannelGrid.h"
#include "texts/InterfaceTexts.h"
#include "editing/OptionControls.h"
#include "ui/QtText.h"
#include "editing/Startup.h"
#include "ui/TwipScale.h"

namespace vorix {

namespace {

QPushButton* makeButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QComboBox* makeCombo(const QString& name, bool editable, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(20);
    return combo;
}

QLabel* makeLabel(const QString& name, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// Typing into an offset box never changes the image; only an item chosen from the list does. The
// keys go to the combo box itself, and on Enter or when the focus leaves it matches the typed text to
// an item and reports that item as chosen. Putting the chosen item's text back first leaves it
// nothing to match, and the box shows again what the image holds.
class TypedTextChangesNothing : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        const int key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter || event->type() == QEvent::FocusOut) {
            auto* combo = static_cast<QComboBox*>(watched);
            combo->setEditText(combo->itemText(combo->currentIndex()));
        }
        return enter || QObject::eventFilter(watched, event);
    }
};

FileSystem& diskOf(const MainWindowServices& services) {
    return services.disk ? *services.disk : MachineFileSystem();
}

} // namespace

MainWindow::MainWindow(AppState& state, MainWindowServices services, QWidget* parent)
    : QWidget(parent), state_(state), services_(std::move(services)) {
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    buildLayout();
    connectOptionControls();
    startUp();
}

void MainWindow::buildControls() {
    grid_ = new ChannelGrid(state_, services_.messages, this);
    comboSqDelay_ = makeCombo(QStringLiteral("ComboSqDelay"), false, this);
    comboSQ_ = makeCombo(QStringLiteral("ComboSQ"), false, this);
    comboTOT_ = makeCombo(QStringLiteral("ComboTOT"), false, this);
    auto* typedTextChangesNothing = new TypedTextChangesNothing(this);
    for (int i = 0; i < 2; ++i) {
        QComboBox* offset = makeCombo(QStringLiteral("ComboOffset_%1").arg(i), true, this);
        offset->setProperty("controlIndex", i);
        offset->setCompleter(nullptr); // completing "4" to 42 would show a value that is not stored
        offset->installEventFilter(typedTextChangesNothing);
        comboOffset_[static_cast<std::size_t>(i)] = offset;
    }
    labelSqDelay_ = makeLabel(QStringLiteral("LabelSqDelay"), comboSqDelay_, this);
    labelSQ_ = makeLabel(QStringLiteral("LabelSQ"), comboSQ_, this);
    label1_ = makeLabel(QStringLiteral("Label1"), comboTOT_, this);
    for (int i = 0; i < 2; ++i) {
        labelOffset_[static_cast<std::size_t>(i)] = makeLabel(
            QStringLiteral("LabelOffset_%1").arg(i), comboOffset_[static_cast<std::size_t>(i)], this);
        labelOffset_[static_cast<std::size_t>(i)]->setProperty("controlIndex", i);
    }
    checkBeep_ = new QCheckBox(this);
    checkBeep_->setObjectName(QStringLiteral("CheckBeep"));
    checkSave_ = new QCheckBox(this);
    checkSave_->setObjectName(QStringLiteral("CheckSave"));
    checkBusyLock_ = new QCheckBox(this);
    checkBusyLock_->setObjectName(QStringLiteral("CheckBusyLock"));
    commandRead_ = makeButton("CommandRead", this);
    commandWrite_ = makeButton("CommandWrite", this);
    commandLoad_ = makeButton("CommandLoad", this);
    commandSave_ = makeButton("CommandSave", this);
    commandCom_ = makeButton("CommandCom", this);
    commandClose_ = makeButton("CommandClose", this);
    commandLanguage_ = makeButton("CommandLanguage", this);
    // Hidden while start-up ignores the stored Language: a switch offered now would not last a restart.
    commandLanguage_->hide();
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setAccessibleName(QStringLiteral("Version"));

    connect(commandRead_, &QPushButton::clicked, this, &MainWindow::CommandRead_Click);
    connect(commandWrite_, &QPushButton::clicked, this, &MainWindow::CommandWrite_Click);
    connect(commandLoad_, &QPushButton::clicked, this, &MainWindow::CommandLoad_Click);
    connect(commandSave_, &QPushButton::clicked, this, &MainWindow::CommandSave_Click);
    connect(commandCom_, &QPushButton::clicked, this, &MainWindow::CommandCom_Click);
    connect(commandClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(commandLanguage_, &QPushButton::clicked, this, &MainWindow::CommandLanguage_Click);
}

void MainWindow::buildLayout() {
    // Grid at left; at right the option lists, the three check boxes on one row, the command buttons
    // in two columns and the version under them. Sizes are in twips, so the proportions hold at any dpi.
    auto* options = new QGridLayout;
    const std::pair<QLabel*, QComboBox*> rows[] = {{labelSqDelay_, comboSqDelay_},
                                                   {labelSQ_, comboSQ_},
                                                   {label1_, comboTOT_},
                                                   {labelOffset_[0], comboOffset_[0]},
                                                   {labelOffset_[1], comboOffset_[1]}};
    int row = 0;
    for (auto [label, combo] : rows) {
        options->addWidget(label, row, 0);
        options->addWidget(combo, row, 1);
        ++row;
    }
    options->setColumnStretch(1, 1);

    auto* checks = new QHBoxLayout;
    checks->addWidget(checkBeep_);
    checks->addWidget(checkSave_);
    checks->addWidget(checkBusyLock_);
    checks->addStretch();

    auto* buttons = new QGridLayout;
    const TwipScale scale(*this);
    QPushButton* grid[3][2] = {
        {commandRead_, commandWrite_}, {commandLoad_, commandSave_}, {commandCom_, commandClose_}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) {
            grid[r][c]->setMinimumSize(scale.x(1300), scale.y(735) * 3 / 4);
            buttons->addWidget(grid[r][c], r, c);
        }
    buttons->addWidget(label2_, 3, 1, Qt::AlignLeft);
    buttons->addWidget(commandLanguage_, 4, 0);

    auto* right = new QVBoxLayout;
    right->addLayout(options);
    right->addLayout(checks);
    right->addSpacing(scale.y(120));
    right->addLayout(buttons);
    right->addStretch();

    auto* main = new QHBoxLayout(this);
    main->setContentsMargins(scale.x(480), scale.y(360), scale.x(240), scale.y(240));
    main->addWidget(grid_, 1, Qt::AlignTop);
    main->addSpacing(scale.x(240));
    main->addLayout(right);
}

void MainWindow::connectOptionControls() {
    const std::pair<QComboBox*, OptionList> lists[] = {{comboSQ_, OptionList::SqLevel},
                                                       {comboTOT_, OptionList::Tot},
                                                       {comboSqDelay_, OptionList::SqDelay},
                                                       {comboOffset_[0], OptionList::OffsetWide},
                                                       {comboOffset_[1], OptionList::OffsetNarrow}};
    // `activated` comes from the user's choice only; Refreshing still guards, as the view sets them.
    for (auto [combo, list] : lists)
        connect(combo, &QComboBox::activated, this, [this, list = list](int index) {
            if (!Refreshing)
                ApplyOptionItem(state_.image, list, index);
        });
    const std::pair<QCheckBox*, OptionCheck> checks[] = {{checkSave_, OptionCheck::PowerSave},
                                                         {checkBeep_, OptionCheck::Beep},
                                                         {checkBusyLock_, OptionCheck::BusyLock}};
    for (auto [box, check] : checks)
        connect(box, &QCheckBox::toggled, this, [this, check = check](bool on) {
            if (!Refreshing)
                ApplyOptionCheck(state_.image, check, on);
        });
}

void MainWindow::startUp() {
    state_.DecimalSeparator = DecimalSeparatorFrom(services_.formattedHalf);
    state_.IsEnglish = true;
    state_.PortNumber = PortNumberFromSetting(services_.settings.GetStringValue(kComPortValue));
    state_.BandLow = {136, 400};
    state_.BandHigh = {174, 560};
    const TwipScale scale(*this);
    resize(scale.x(10035), scale.y(6180));
    ApplyLanguage();
    grid_->EditRow = 1;
    grid_->EnterPressed = false;
    grid_->applyGeometry();
    layout::StoreOptionDefaults(state_.image);
    AnalyseChannelInformation();
    label2_->setText(q(VersionLabel(VORIX_VERSION_MAJOR, VORIX_VERSION_MINOR, VORIX_VERSION_REVISION)));
}

void MainWindow::ApplyLanguage() {
    const bool en = state_.IsEnglish;
    setWindowTitle(q(Text(TextId::ApplicationTitle, en)));
    QComboBox* refilled[] = {comboSQ_, comboTOT_, comboSqDelay_, comboOffset_[0], comboOffset_[1]};
    const bool wasRefreshing = Refreshing;
    Refreshing = true; // emptying and filling lists raises change events that are not the user's
    for (QComboBox* combo : refilled)
        combo->clear();
    fillCombo(comboSQ_, SqLevelItems());
    fillCombo(comboOffset_[0], OffsetItems());
    fillCombo(comboOffset_[1], OffsetItems());
    fillCombo(comboTOT_, TotItems(en));
    fillCombo(comboSqDelay_, SqDelayItems(en, state_.DecimalSeparator));
    for (QComboBox* combo : refilled)
        combo->setCurrentIndex(-1);
    Refreshing = wasRefreshing;

    const std::pair<QWidget*, TextId> captions[] = {{commandClose_, TextId::CommandClose},
                                                    {commandCom_, TextId::CommandCom},
                                                    {commandRead_, TextId::CommandRead},
                                                    {commandWrite_, TextId::CommandWrite},
                                                    {commandLoad_, TextId::CommandLoad},
                                                    {commandSave_, TextId::CommandSave},
                                                    {commandLanguage_, TextId::CommandLanguage},
                                                    {labelSqDelay_, TextId::LabelSqDelay},
                                                    {labelSQ_, TextId::LabelSQ},
                                                    {label1_, TextId::Label1},
                                                    {checkSave_, TextId::CheckSave},
                                                    {checkBeep_, TextId::CheckBeep},
                                                    {checkBusyLock_, TextId::CheckBusyLock},
                                                    {labelOffset_[0], TextId::LabelOffsetWide},
                                                    {labelOffset_[1], TextId::LabelOffsetNarrow}};
    for (auto [widget, id] : captions) {
        const QString text = q(Text(id, en));
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
    }
    grid_->applyLanguage();
}

void MainWindow::AnalyseChannelInformation() {
    Refreshing = true;
    const TableView view = BuildTableView(state_);
    grid_->showRows(view.rows);
    const OptionSelections& o = view.options;
    comboSQ_->setCurrentIndex(o.sqLevelItem);
    comboSqDelay_->setCurrentIndex(o.sqDelayItem);
    comboOffset_[0]->setCurrentIndex(o.offsetWideItem);
    comboOffset_[1]->setCurrentIndex(o.offsetNarrowItem);
    checkSave_->setChecked(o.powerSave);
    checkBusyLock_->setChecked(o.busyLock);
    checkBeep_->setChecked(o.beep);
    comboTOT_->setCurrentIndex(o.totItem);
    Refreshing = false;
}

void MainWindow::FreshData() {
    grid_->FreshData();
}

void MainWindow::CommandRead_Click() {
    state_.ReadMode = true;
    if (services_.openProgrammingDialog)
        services_.openProgrammingDialog();
}

void MainWindow::CommandWrite_Click() {
    state_.ReadMode = false;
    state_.image.write(layout::WriteMark, layout::WriteMarkValue);
    if (services_.openProgrammingDialog)
        services_.openProgrammingDialog();
}

void MainWindow::CommandCom_Click() {
    if (services_.openPortDialog)
        services_.openPortDialog();
}

void MainWindow::CommandLanguage_Click() {
    state_.IsEnglish = !state_.IsEnglish;
    ApplyLanguage();
    // Recorded for start-up to honour later; start-up does not read it yet and always begins in English.
    services_.settings.SetStringValue(kLanguageValue, state_.IsEnglish ? "True" : "False");
}

std::string MainWindow::ShowFileDialog(const std::string& mode, const std::string& title) {
    return services_.files.choose(MakeFileDialogRequest(mode, title, state_.IsEnglish));
}

void MainWindow::showError(const std::string& text) {
    services_.messages.show(text, std::string(Text(TextId::ApplicationTitle, state_.IsEnglish)),
                            MessageButtons::Ok, MessageIcon::Critical);
}

void MainWindow::CommandLoad_Click() {
    const bool en = state_.IsEnglish;
    const std::string path = ShowFileDialog("OPEN", std::string(Text(TextId::OpenTitle, en)));
    if (path.empty())
        return;
    const MessageAnswer answer = services_.messages.show(std::string(Text(TextId::CoverCurrentData, en)),
                                                         std::string(Text(TextId::ApplicationTitle, en)),
                                                         MessageButtons::OkCancel, MessageIcon::Warning);
    if (answer != MessageAnswer::Ok)
        return;
    const LoadedImage loaded = LoadRadioDataFile(diskOf(services_), path);
    if (!loaded.bytes) {
        const std::string text = loaded.tooShort
                                     ? std::string(Text(TextId::FileTooShort, en))
                                     : std::string(Text(TextId::FileCannotOpen, en)) + " " + loaded.reason;
        showError(text + "\n" + path);
        return;
    }
    state_.image.replaceAll(*loaded.bytes);
    AnalyseChannelInformation();
}

void MainWindow::CommandSave_Click() {
    FreshData();
    const bool en = state_.IsEnglish;
    const std::string path = ShowFileDialog("Save", std::string(Text(TextId::SaveTitle, en)));
    if (path.empty())
        return;
    const OutputResult saved = WriteOutputFile(diskOf(services_), path, state_.image.bytes());
    // A file written in place when it could not be replaced may have lost its old content: say so.
    const TextId failure = saved.mayBeIncomplete ? TextId::FileMayBeIncomplete : TextId::FileCannotSave;
    if (!saved.ok())
        showError(std::string(Text(failure, en)) + " " + saved.error + "\n" + path);
}

} // namespace vorix
