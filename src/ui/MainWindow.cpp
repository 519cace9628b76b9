#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "editing/OptionControls.h"
#include "editing/Startup.h"
#include "image/ChannelView.h"
#include "image/ImageLayout.h"
#include "platform/PosixFileSystem.h"
#include "store/OutputFile.h"
#include "store/RadioDataFile.h"
#include "texts/InterfaceTexts.h"
#include "ui/ChannelGrid.h"
#include "ui/ImageHistory.h"
#include "ui/QtText.h"
#include "ui/RecentFiles.h"
#include "ui/TwipScale.h"
#include "ui/WindowActions.h"

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

} // namespace

MainWindow::MainWindow(AppState& state, MainWindowServices services, QWidget* parent)
    : QWidget(parent), state_(state), services_(std::move(services)) {
    setObjectName(QStringLiteral("Form1"));
    history_ = new ImageHistory(
        state_.image, [this] { showImage(); }, this);
    connect(history_, &ImageHistory::modifiedChanged, this, &MainWindow::updateTitle);
    buildControls();
    actions_ = new WindowActions(*this, state_, *history_, *grid_);
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setAccessibleName(QStringLiteral("Status"));
    buildLayout();
    connectOptionControls();
    setAcceptDrops(true); // a radio data file dropped on the window opens as Load opens it
    startUp();
}

MainWindow::~MainWindow() {
    // An editor still open commits when its focus goes as the children are taken down; the image
    // takes it, but no step is kept in a history that goes with this window.
    grid_->setStepSink({});
}

void MainWindow::buildControls() {
    grid_ = new ChannelGrid(state_, services_.messages, this);
    grid_->setStepSink([this](ImageStep step) { history_->push(std::move(step)); });
    sqDelayList_ = makeCombo(QStringLiteral("ComboSqDelay"), false, this);
    sqLevelList_ = makeCombo(QStringLiteral("ComboSQ"), false, this);
    totList_ = makeCombo(QStringLiteral("ComboTOT"), false, this);
    auto* typedTextChangesNothing = new TypedTextChangesNothing(this);
    for (int i = 0; i < 2; ++i) {
        QComboBox* offset = makeCombo(QStringLiteral("ComboOffset_%1").arg(i), true, this);
        offset->setProperty("controlIndex", i);
        offset->setCompleter(nullptr); // completing "4" to 42 would show a value that is not stored
        offset->installEventFilter(typedTextChangesNothing);
        offsetLists_[static_cast<std::size_t>(i)] = offset;
    }
    sqDelayLabel_ = makeLabel(QStringLiteral("LabelSqDelay"), sqDelayList_, this);
    sqLevelLabel_ = makeLabel(QStringLiteral("LabelSQ"), sqLevelList_, this);
    totLabel_ = makeLabel(QStringLiteral("Label1"), totList_, this);
    for (int i = 0; i < 2; ++i) {
        offsetLabels_[static_cast<std::size_t>(i)] = makeLabel(
            QStringLiteral("LabelOffset_%1").arg(i), offsetLists_[static_cast<std::size_t>(i)], this);
        offsetLabels_[static_cast<std::size_t>(i)]->setProperty("controlIndex", i);
    }
    beepCheck_ = new QCheckBox(this);
    beepCheck_->setObjectName(QStringLiteral("CheckBeep"));
    powerSaveCheck_ = new QCheckBox(this);
    powerSaveCheck_->setObjectName(QStringLiteral("CheckSave"));
    busyLockCheck_ = new QCheckBox(this);
    busyLockCheck_->setObjectName(QStringLiteral("CheckBusyLock"));
    readButton_ = makeButton("CommandRead", this);
    writeButton_ = makeButton("CommandWrite", this);
    loadButton_ = makeButton("CommandLoad", this);
    saveButton_ = makeButton("CommandSave", this);
    portButton_ = makeButton("CommandCom", this);
    closeButton_ = makeButton("CommandClose", this);
    languageButton_ = makeButton("CommandLanguage", this);
    // View > Language offers the switch; the button stays, hidden, for what finds it by its name.
    languageButton_->hide();
    versionLabel_ = new QLabel(this);
    versionLabel_->setObjectName(QStringLiteral("Label2"));
    versionLabel_->setAccessibleName(QStringLiteral("Version"));

    connect(readButton_, &QPushButton::clicked, this, &MainWindow::onReadClicked);
    connect(writeButton_, &QPushButton::clicked, this, &MainWindow::onWriteClicked);
    connect(loadButton_, &QPushButton::clicked, this, &MainWindow::onLoadClicked);
    connect(saveButton_, &QPushButton::clicked, this, &MainWindow::onSaveClicked);
    connect(portButton_, &QPushButton::clicked, this, &MainWindow::onPortClicked);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(languageButton_, &QPushButton::clicked, this, &MainWindow::onLanguageClicked);
}

void MainWindow::buildLayout() {
    // Grid at left; at right the option lists, the three check boxes on one row, the command buttons
    // in two columns and the version under them. Sizes are in twips, so the proportions hold at any dpi.
    auto* options = new QGridLayout;
    const std::pair<QLabel*, QComboBox*> rows[] = {{sqDelayLabel_, sqDelayList_},
                                                   {sqLevelLabel_, sqLevelList_},
                                                   {totLabel_, totList_},
                                                   {offsetLabels_[0], offsetLists_[0]},
                                                   {offsetLabels_[1], offsetLists_[1]}};
    int row = 0;
    for (auto [label, combo] : rows) {
        options->addWidget(label, row, 0);
        options->addWidget(combo, row, 1);
        ++row;
    }
    options->setColumnStretch(1, 1);

    auto* checks = new QHBoxLayout;
    checks->addWidget(beepCheck_);
    checks->addWidget(powerSaveCheck_);
    checks->addWidget(busyLockCheck_);
    checks->addStretch();

    auto* buttons = new QGridLayout;
    const TwipScale scale(*this);
    QPushButton* grid[3][2] = {
        {readButton_, writeButton_}, {loadButton_, saveButton_}, {portButton_, closeButton_}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) {
            grid[r][c]->setMinimumSize(scale.x(1300), scale.y(735) * 3 / 4);
            buttons->addWidget(grid[r][c], r, c);
        }
    buttons->addWidget(versionLabel_, 3, 1, Qt::AlignLeft);
    buttons->addWidget(languageButton_, 4, 0);

    auto* right = new QVBoxLayout;
    right->addLayout(options);
    right->addLayout(checks);
    right->addSpacing(scale.y(120));
    right->addLayout(buttons);
    right->addStretch();

    // The menu bar above and the status bar below the window's own arrangement.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setMenuBar(actions_->menuBar());
    auto* main = new QHBoxLayout;
    outer->addLayout(main, 1);
    outer->addWidget(statusBar_);
    main->setContentsMargins(scale.x(480), scale.y(360), scale.x(240), scale.y(240));
    main->addWidget(grid_, 1, Qt::AlignTop);
    main->addSpacing(scale.x(240));
    main->addLayout(right);
}

void MainWindow::connectOptionControls() {
    const std::pair<QComboBox*, OptionList> lists[] = {{sqLevelList_, OptionList::SqLevel},
                                                       {totList_, OptionList::Tot},
                                                       {sqDelayList_, OptionList::SqDelay},
                                                       {offsetLists_[0], OptionList::OffsetWide},
                                                       {offsetLists_[1], OptionList::OffsetNarrow}};
    // `activated` comes from the user's choice only; refreshing_ still guards, as the view sets them.
    const std::array<QLabel*, 5> listLabels = {sqLevelLabel_, totLabel_, sqDelayLabel_, offsetLabels_[0],
                                               offsetLabels_[1]};
    int labelIndex = 0;
    for (auto [combo, list] : lists)
        connect(combo, &QComboBox::activated, this,
                [this, list = list, label = listLabels[static_cast<std::size_t>(labelIndex++)]](int index) {
                    if (!refreshing_)
                        history_->record(stepName(TextId::StepChangeOption, label->text().toStdString()),
                                         [&] { ApplyOptionItem(state_.image, list, index); });
                });
    const std::pair<QCheckBox*, OptionCheck> checks[] = {{powerSaveCheck_, OptionCheck::PowerSave},
                                                         {beepCheck_, OptionCheck::Beep},
                                                         {busyLockCheck_, OptionCheck::BusyLock}};
    for (auto [box, check] : checks)
        connect(box, &QCheckBox::toggled, this, [this, box = box, check = check](bool on) {
            if (!refreshing_)
                history_->record(stepName(TextId::StepChangeOption, box->text().toStdString()),
                                 [&] { ApplyOptionCheck(state_.image, check, on); });
        });
}

void MainWindow::startUp() {
    state_.decimalSeparator = DecimalSeparatorFrom(services_.formattedHalf);
    // The stored choice of the language switch; "False" is Chinese, anything else English.
    state_.language =
        services_.settings.GetStringValue(kLanguageValue) == "False" ? Language::Chinese : Language::English;
    state_.portNumber = PortNumberFromSetting(services_.settings.GetStringValue(kComPortValue));
    state_.bandLow = {136, 400};
    state_.bandHigh = {174, 560};
    const TwipScale scale(*this);
    resize(scale.x(10035), scale.y(6180));
    applyLanguage();
    grid_->applyGeometry();
    layout::StoreOptionDefaults(state_.image);
    showImage();
    versionLabel_->setText(q(VersionLabel(VORIX_VERSION_MAJOR, VORIX_VERSION_MINOR, VORIX_VERSION_REVISION)));
}

void MainWindow::applyLanguage() {
    const Language lang = state_.language;
    updateTitle();
    QComboBox* refilled[] = {sqLevelList_, totList_, sqDelayList_, offsetLists_[0], offsetLists_[1]};
    const bool wasRefreshing = refreshing_;
    refreshing_ = true; // emptying and filling lists raises change events that are not the user's
    for (QComboBox* combo : refilled)
        combo->clear();
    fillCombo(sqLevelList_, SqLevelItems());
    fillCombo(offsetLists_[0], OffsetItems());
    fillCombo(offsetLists_[1], OffsetItems());
    fillCombo(totList_, TotItems(lang));
    fillCombo(sqDelayList_, SqDelayItems(lang, state_.decimalSeparator));
    for (QComboBox* combo : refilled)
        combo->setCurrentIndex(-1);
    refreshing_ = wasRefreshing;

    const std::pair<QWidget*, TextId> captions[] = {{closeButton_, TextId::CommandClose},
                                                    {portButton_, TextId::CommandCom},
                                                    {readButton_, TextId::CommandRead},
                                                    {writeButton_, TextId::CommandWrite},
                                                    {loadButton_, TextId::CommandLoad},
                                                    {saveButton_, TextId::CommandSave},
                                                    {languageButton_, TextId::CommandLanguage},
                                                    {sqDelayLabel_, TextId::LabelSqDelay},
                                                    {sqLevelLabel_, TextId::LabelSQ},
                                                    {totLabel_, TextId::Label1},
                                                    {powerSaveCheck_, TextId::CheckSave},
                                                    {beepCheck_, TextId::CheckBeep},
                                                    {busyLockCheck_, TextId::CheckBusyLock},
                                                    {offsetLabels_[0], TextId::LabelOffsetWide},
                                                    {offsetLabels_[1], TextId::LabelOffsetNarrow}};
    for (auto [widget, id] : captions) {
        const QString text = q(Text(id, lang));
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
    }
    grid_->applyLanguage();
    if (actions_)
        actions_->applyLanguage();
}

void MainWindow::showImage() {
    refreshing_ = true;
    const TableView view = BuildTableView(state_);
    grid_->showRows(view.rows);
    const OptionSelections& o = view.options;
    sqLevelList_->setCurrentIndex(o.sqLevelItem);
    sqDelayList_->setCurrentIndex(o.sqDelayItem);
    offsetLists_[0]->setCurrentIndex(o.offsetWideItem);
    offsetLists_[1]->setCurrentIndex(o.offsetNarrowItem);
    powerSaveCheck_->setChecked(o.powerSave);
    busyLockCheck_->setChecked(o.busyLock);
    beepCheck_->setChecked(o.beep);
    totList_->setCurrentIndex(o.totItem);
    refreshing_ = false;
}

void MainWindow::commitOpenEdit() {
    grid_->commitOpenEdit();
}

void MainWindow::onReadClicked() {
    commitOpenEdit();
    if (!changesMayBeLost())
        return;
    state_.readMode = true;
    readFinished_ = false;
    ImageStep step = RecordImageStep(state_.image, stepName(TextId::StepRead, {}), [this] {
        if (services_.openProgrammingDialog)
            services_.openProgrammingDialog();
    });
    if (!readFinished_)
        return;
    history_->push(std::move(step));
    history_->markSaved();
    imageFromSource_ = true;
    showStatus(readBackupPath_.empty()
                   ? q(Text(TextId::StatusRead, state_.language))
                   : q(Text(TextId::StatusReadBackup, state_.language)).arg(q(readBackupPath_)));
}

void MainWindow::onImageRead(const std::string& backupPath) {
    readFinished_ = true;
    readBackupPath_ = backupPath;
    showImage();
}

void MainWindow::onImageWritten() {
    writeFinished_ = true;
    history_->markSaved();
    showStatus(q(Text(TextId::StatusWritten, state_.language)).arg(state_.portNumber));
}

void MainWindow::onWriteClicked() {
    writeToRadio();
}

bool MainWindow::writeToRadio() {
    commitOpenEdit();
    if (!imageFromSource_) {
        // Nothing here came from a radio or a file: writing it replaces the radio's whole content.
        if (ask(TextId::WriteUnreadImage, MessageButtons::ContinueCancel) != MessageAnswer::Continue)
            return false;
    }
    state_.readMode = false;
    state_.image.write(layout::WriteMark, layout::WriteMarkValue);
    writeFinished_ = false;
    if (services_.openProgrammingDialog)
        services_.openProgrammingDialog();
    return writeFinished_;
}

void MainWindow::onPortClicked() {
    if (services_.openPortDialog)
        services_.openPortDialog();
}

void MainWindow::onLanguageClicked() {
    state_.language = state_.language == Language::English ? Language::Chinese : Language::English;
    commitOpenEdit();
    applyLanguage();
    showImage(); // the table and lists in the new language, so no cell holds a text its list lacks
    // The language holds for this run either way; a store that refuses it is not worth a message box.
    (void)services_.settings.SetStringValue(kLanguageValue,
                                            state_.language == Language::English ? "True" : "False");
}

void MainWindow::showStatus(const QString& text) {
    statusBar_->showMessage(text);
}

std::string MainWindow::stepName(TextId id, const std::string& argument) const {
    QString name = q(Text(id, state_.language));
    if (name.contains(QStringLiteral("%1")))
        name = name.arg(withoutMnemonic(q(argument)));
    return name.toStdString();
}

} // namespace vorix
