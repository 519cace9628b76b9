// The programming dialog on its own: its two modes, texts, arrangement, focus, key rules, and how a
// run starts and ends, against a silent pseudo-terminal or a port number with nothing behind it.

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "TestPortsFolder.h"
#include "link/LinkSession.h"
#include "platform/QtSerialPort.h"
#include "support/FakeDialogs.h"
#include "support/Languages.h"
#include "support/TestPty.h"
#include "ui/ProgrammingDialog.h"

using namespace vorix;

namespace {

constexpr int kLinePort = 90;    // linked to a pseudo-terminal whose far side stays silent
constexpr int kMissingPort = 98; // no link, no default device
constexpr int kGonePort = 91;    // linked to a device that does not exist
constexpr int kWaitMs = 3000;

struct Fixture {
    AppState state;
    test::FakeMessageBoxes messages;
    QWidget owner; // stands in for the main window
    std::unique_ptr<ProgrammingDialog> dialog;
    int refreshes = 0;

    Fixture(bool readMode, bool english = true) {
        state.readMode = readMode;
        state.language = LanguageFor(english);
        state.portNumber = kLinePort;
        owner.resize(800, 600);
        owner.show();
    }
    void open() {
        dialog = std::make_unique<ProgrammingDialog>(
            state, messages, [this] { ++refreshes; }, &owner);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    template <class T> T* find(const char* name) const {
        T* child = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
};

/// Key presses carrying any character, also those QTest::keyClicks cannot type.
void typeCharacters(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

const char* const kPasswordControls[] = {"LabelPassword", "TextPassword", "LabelNewPassword",
                                         "TextNewPassword", "CheckNewPassword"};

} // namespace

class ProgrammingDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPty> line_;

private slots:
    void init() {
        line_ = std::make_unique<TestPty>();
        QVERIFY(line_->isValid());
        QVERIFY(test::TestPortsFolder::link(kLinePort, line_->device()));
    }
    void cleanup() {
        test::TestPortsFolder::unlink(kLinePort);
        line_.reset();
    }

    void openedForReadingShowsReadAndCancelOnOneRow() {
        Fixture f(true);
        f.open();
        QCOMPARE(f.dialog->objectName(), QStringLiteral("FormProcess"));
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Read data from radio"));
        QCOMPARE(f.find<QLabel>("LabelProcess")->text(), QStringLiteral("Complete:0%"));
        QVERIFY(f.button("CommandRead")->isVisible());
        QVERIFY(f.button("CommandCancel")->isVisible());
        QVERIFY(!f.button("CommandWrite")->isVisible());
        QCOMPARE(f.button("CommandRead")->text(), QStringLiteral("Read"));
        QCOMPARE(f.button("CommandCancel")->text(), QStringLiteral("&Cancel"));
        const QRect read = f.button("CommandRead")->geometry();
        const QRect cancel = f.button("CommandCancel")->geometry();
        QCOMPARE(read.top(), cancel.top());
        QVERIFY(read.right() < cancel.left());
        QVERIFY(read.top() > f.find<QProgressBar>("ProgressBar1")->geometry().bottom());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), static_cast<QWidget*>(f.button("CommandRead")),
                                  kWaitMs);
        for (const char* name : kPasswordControls)
            QVERIFY2(!f.find<QWidget>(name)->isVisible(), name);
    }

    void openedForWritingShowsWriteBesideCancel() {
        Fixture f(false);
        f.open();
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Write data from radio"));
        QVERIFY(f.button("CommandWrite")->isVisible());
        QVERIFY(!f.button("CommandRead")->isVisible());
        QCOMPARE(f.button("CommandWrite")->text(), QStringLiteral("Write"));
        QCOMPARE(f.button("CommandWrite")->geometry().top(), f.button("CommandCancel")->geometry().top());
        QVERIFY(f.button("CommandWrite")->geometry().right() < f.button("CommandCancel")->geometry().left());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(),
                                  static_cast<QWidget*>(f.button("CommandWrite")), kWaitMs);
    }

    void bothModesPutTheStartButtonAtTheSamePlace() {
        Fixture reading(true), writing(false);
        reading.open();
        writing.open();
        QCOMPARE(reading.button("CommandRead")->geometry(), writing.button("CommandWrite")->geometry());
        QCOMPARE(reading.dialog->size(), writing.dialog->size());
    }

    void chineseTexts_data() {
        QTest::addColumn<bool>("readMode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");
        QTest::newRow("read") << true << QStringLiteral("从对讲机读取数据") << QStringLiteral("读取");
        QTest::newRow("write") << false << QStringLiteral("向对讲机写入数据") << QStringLiteral("写入");
    }
    void chineseTexts() {
        QFETCH(bool, readMode);
        QFETCH(QString, caption);
        QFETCH(QString, button);
        Fixture f(readMode, false);
        f.open();
        QCOMPARE(f.dialog->windowTitle(), caption);
        QCOMPARE(f.button(readMode ? "CommandRead" : "CommandWrite")->text(), button);
        QCOMPARE(f.button("CommandCancel")->text(), QStringLiteral("取消(&C)"));
        QCOMPARE(f.find<QLabel>("LabelProcess")->text(), QStringLiteral("完成进度:0%"));
        QCOMPARE(f.find<QLabel>("LabelPassword")->text(), QStringLiteral("密码:"));
        QCOMPARE(f.find<QLabel>("LabelNewPassword")->text(), QStringLiteral("新密码:"));
    }

    void isAFixedDialogBoxCentredOnTheMainWindow() {
        Fixture f(true);
        f.open();
        QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());
        const Qt::WindowFlags flags = f.dialog->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        // 4680 twips inside at 96 dpi: 312 pixels.
        QCOMPARE(f.dialog->width(), 312);
        const QPoint offset = f.dialog->frameGeometry().center() - f.owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 20,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }

    void resultFieldAndProgressAtLoading() {
        Fixture f(true);
        f.open();
        auto* result = f.find<QLineEdit>("TextShow");
        QVERIFY(!result->isVisible());
        QVERIFY(!result->isEnabled());
        QVERIFY(result->isReadOnly());
        QVERIFY(result->text().isEmpty());
        QVERIFY(result->font().bold());
        QCOMPARE(result->font().pointSize(), 15);
        auto* bar = f.find<QProgressBar>("ProgressBar1");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), ProgrammingDialog::kProgressSteps);
        QCOMPARE(bar->value(), 0);
        // The result field lies over the middle of the bar once it is shown.
        result->show();
        f.dialog->layout()->activate();
        QVERIFY((result->geometry().center() - bar->geometry().center()).manhattanLength() <= 1);
        QVERIFY(bar->geometry().contains(result->geometry()));
        // Wide enough for its longest text in the bold type.
        const QFontMetrics metrics(result->font());
        QVERIFY(result->width() > metrics.horizontalAdvance(QStringLiteral("Write Data OK")));
    }

    void pressingReadStartsOneRunAndCancelEndsItWithoutTheEndByte() {
        Fixture f(true);
        f.open();
        QSignalSpy finished(f.dialog.get(), &QDialog::finished);
        QTest::mouseClick(f.button("CommandRead"), Qt::LeftButton);
        QVERIFY(!f.button("CommandRead")->isEnabled());
        QVERIFY(!f.find<QLineEdit>("TextPassword")->isEnabled());
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Read data from radio"));
        QTRY_COMPARE_WITH_TIMEOUT(line_->received(), QByteArray("PROGRAM"), kWaitMs);
        // A second press cannot start a second run: the button stays disabled.
        QTest::mouseClick(f.button("CommandRead"), Qt::LeftButton);
        QVERIFY(f.state.readMode);

        QTest::mouseClick(f.button("CommandCancel"), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.state.readMode);
        QVERIFY(f.dialog->session().hasEnded());
        QCOMPARE(line_->received(), QByteArray("PROGRAM")); // no end byte 45
        QVERIFY(f.messages.shown.empty());
        QCOMPARE(f.refreshes, 0);
    }

    void pressingWriteChangesTheCaption() {
        Fixture f(false);
        f.open();
        QTest::mouseClick(f.button("CommandWrite"), Qt::LeftButton);
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Write data into radio"));
        QVERIFY(!f.button("CommandWrite")->isEnabled());
        QVERIFY(!f.find<QLineEdit>("TextNewPassword")->isEnabled());
        QVERIFY(!f.find<QCheckBox>("CheckNewPassword")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(line_->received(), QByteArray("PROGRAM"), kWaitMs);
        f.dialog->close(); // the close box
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.state.readMode);
        QVERIFY(f.dialog->session().hasEnded());
    }

    void chineseWriteCaptionOnStart() {
        Fixture f(false, false);
        f.open();
        QTest::mouseClick(f.button("CommandWrite"), Qt::LeftButton);
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("往对讲机写入数据"));
        f.dialog->reject();
    }

    void escapeClosesLikeCancel() {
        Fixture f(true);
        f.open();
        QTest::mouseClick(f.button("CommandRead"), Qt::LeftButton);
        QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.state.readMode);
        QCOMPARE(line_->received(), QByteArray("PROGRAM"));
    }

    // The message names the port, its device (through the link, when a link leads there) and the
    // system's reason beneath the request to choose another.
    void aPortThatDoesNotOpenIsNamedWithItsReasonAndTheDialogCloses_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("detail"); // {links}: the ports folder, {line}: the pseudo-terminal
        QTest::newRow("no device") << kMissingPort << "COM98 (no device)\nNo such port";
        QTest::newRow("link to nothing")
            << kGonePort << "COM91 ({links}/com91 -> /nonexistent/vorix-gone)\nNo such file or directory";
        QTest::newRow("held by another program")
            << kLinePort << "COM90 ({links}/com90 -> {line})\nPermission error while locking the device";
    }
    void aPortThatDoesNotOpenIsNamedWithItsReasonAndTheDialogCloses() {
        QFETCH(int, port);
        QFETCH(QString, detail);
        QVERIFY(test::TestPortsFolder::link(kGonePort, QStringLiteral("/nonexistent/vorix-gone")));
        QtSerialPort other(line_->device());
        QVERIFY(other.open()); // another program holds the line
        Fixture f(true);
        f.state.portNumber = static_cast<std::int16_t>(port);
        f.open();
        QSignalSpy finished(f.dialog.get(), &QDialog::finished);
        QTest::mouseClick(f.button("CommandRead"), Qt::LeftButton);
        test::TestPortsFolder::unlink(kGonePort);
        QCOMPARE(f.messages.shown.size(), 1u);
        detail.replace("{links}", PortsFolder()).replace("{line}", line_->device());
        QCOMPARE(QString::fromStdString(f.messages.shown[0].text), "Please reselect COM port!\n" + detail);
        QCOMPARE(f.messages.shown[0].title, std::string("Vorix"));
        QCOMPARE(f.messages.shown[0].buttons, MessageButtons::Ok);
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Critical);
        QVERIFY(finished.wait(kWaitMs) || finished.count() == 1); // closes itself a moment later
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.state.readMode);
        QCOMPARE(f.refreshes, 0);
        QVERIFY(line_->received().isEmpty());
    }

    void passwordFieldsAreMaskedAndKeepSixLatinOneCharacters_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("password") << QStringLiteral("TextPassword");
        QTest::newRow("new password") << QStringLiteral("TextNewPassword");
    }
    void passwordFieldsAreMaskedAndKeepSixLatinOneCharacters() {
        QFETCH(QString, field);
        Fixture f(true);
        f.open();
        auto* edit = f.dialog->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        QVERIFY(edit->text().isEmpty());
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        edit->setEnabled(true);
        edit->show(); // the dialog keeps it hidden; shown here to type into it
        edit->setFocus();
        typeCharacters(edit, QStringLiteral("ab中c"));
        QCOMPARE(edit->text(), QStringLiteral("abc")); // the double-byte character is refused
        typeCharacters(edit, QStringLiteral("dé"));
        QCOMPARE(edit->text(), QStringLiteral("abcdé"));
        typeCharacters(edit, QStringLiteral("fg"));
        QCOMPARE(edit->text(), QStringLiteral("abcdéf")); // a seventh character is not taken
        // Pasted text is held to the same rule.
        edit->clear();
        edit->insert(QStringLiteral("密码12"));
        QVERIFY(edit->text().isEmpty());
    }

    void checkNewPasswordEnablesTheField() {
        Fixture f(false);
        f.open();
        auto* check = f.find<QCheckBox>("CheckNewPassword");
        auto* edit = f.find<QLineEdit>("TextNewPassword");
        QVERIFY(!check->isChecked());
        QVERIFY(!edit->isEnabled());
        const QColor inactive = edit->palette().color(QPalette::Base);
        check->show();
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Space); // the box has no caption to click on
        QVERIFY(check->isChecked());
        QVERIFY(edit->isEnabled());
        const QColor active = edit->palette().color(QPalette::Base);
        QVERIFY(active != inactive);
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(!edit->isEnabled());
        QCOMPARE(edit->palette().color(QPalette::Base), inactive);
    }

    void destroyingTheDialogDuringARunClosesThePort() {
        Fixture f(true);
        f.open();
        QTest::mouseClick(f.button("CommandRead"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(line_->received(), QByteArray("PROGRAM"), kWaitMs);
        f.dialog.reset();
        // The device is free again: another port can have it exclusively.
        QtSerialPort again(line_->device());
        QVERIFY(again.open());
    }
};

VORIX_TEST_MAIN_WITH_PORTS_FOLDER(ProgrammingDialogTest)
#include "ProgrammingDialogTest.moc"
