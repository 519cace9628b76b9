// Several hundred edits of every kind through the real window, drawn from a seeded generator: after
// each one every cell and option control shows what the stored image means, and no byte outside the
// edited field changed. Only the prompts are fakes.

#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <random>

#include "WindowDriver.h"
#include "image/Tones.h"
#include "platform/QtSettingsScope.h"

using namespace vorix;

namespace {

constexpr int kEdits = 600;

// Which bits of each byte the edit may change.
using ByteMasks = std::array<std::uint8_t, kImageSize>;

class RandomEdits {
public:
    explicit RandomEdits(test::WindowDriver& window) : w_(window) {}

    void run() {
        for (int edit = 0; edit < kEdits; ++edit) {
            const ImageBytes before = w_.state.image.bytes();
            const std::size_t warnings = w_.messages.shown.size();
            ByteMasks allowed{};
            QString expectedCell;
            int row = 0, column = 0;
            switch (pick(9)) {
            case 0:
            case 1:
            case 2:
                row = 1 + pick(16);
                column = 1;
                expectedCell = editFrequency(row, allowed);
                break;
            case 3:
            case 4:
                row = usedRow();
                column = row ? 2 + pick(3) : 0;
                if (row)
                    expectedCell = editList(row, column, allowed);
                break;
            case 5:
            case 6:
                chooseOption(allowed);
                break;
            default:
                toggleCheck(allowed);
                break;
            }
            const QByteArray step = QStringLiteral("edit %1").arg(edit).toLatin1();
            QVERIFY2(!w_.grid()->frequencyEditor()->isVisible(), step);
            for (int i = 0; i < 3; ++i)
                QVERIFY2(!w_.grid()->listEditor(i)->isVisible(), step);
            if (!expectedCell.isNull()) {
                QVERIFY2(w_.cell(row, column) == expectedCell,
                         step + " shows " + w_.cell(row, column).toUtf8());
                QVERIFY2(column > 1 || w_.messages.shown.size() == warnings, step + " warned");
            }
            w_.expectShownMatchesImage();
            for (int i = 0; i < kImageSize; ++i) {
                const auto changed =
                    static_cast<std::uint8_t>(before[static_cast<std::size_t>(i)] ^ w_.state.image.read(i));
                QVERIFY2((changed & ~allowed[static_cast<std::size_t>(i)]) == 0,
                         step + " byte " + QByteArray::number(i));
            }
            if (QTest::currentTestFailed())
                return;
        }
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool coin() { return pick(2) == 1; }

    int usedRow() {
        std::vector<int> used;
        for (int row = 1; row <= 16; ++row)
            if (!w_.cell(row, 1).isEmpty())
                used.push_back(row);
        return used.empty() ? 0 : used[static_cast<std::size_t>(pick(static_cast<int>(used.size())))];
    }

    static void allow(ByteMasks& allowed, int from, int count, std::uint8_t mask = 0xFF) {
        for (int i = from; i < from + count; ++i)
            allowed[static_cast<std::size_t>(i)] |= mask;
    }

    QString digits(int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + pick(10));
        return text;
    }

    // A frequency in a band as typed (its cell is then predictable, without a warning), any digits with a
    // separator, a mistyped mix, or Backspace over the selected text, which deletes the channel.
    QString editFrequency(int row, ByteMasks& allowed) {
        const bool wasEmpty = w_.cell(row, 1).isEmpty();
        QString typed;
        bool inBand = false;
        switch (pick(4)) {
        case 0:
            typed = QString::number(coin() ? 136 + pick(38) : 400 + pick(160));
            if (coin())
                typed += QLatin1Char('.') + digits(pick(6));
            inBand = true;
            break;
        case 1:
            typed = digits(1 + pick(5)) + QLatin1Char('.') + digits(pick(6));
            break;
        case 2:
            for (int n = pick(12); n > 0; --n)
                typed += QStringLiteral("0123456789.,-xA ").at(pick(16));
            break;
        default:
            break;
        }
        w_.clickCell(row, 1);
        if (typed.isEmpty())
            w_.key(Qt::Key_Backspace);
        else
            w_.type(w_.local(typed));
        w_.finish(coin());
        allow(allowed, layout::channelBase(row), layout::kRecordSize);
        if (!wasEmpty && !w_.cell(row, 1).isEmpty()) // an edit of a used channel keeps the rest
            std::fill_n(allowed.begin() + layout::channelBase(row) + layout::FrequencySize,
                        layout::kRecordSize - layout::FrequencySize, 0);
        if (!inBand)
            return {};
        QString cell = w_.local(typed);
        if (!typed.contains(QLatin1Char('.')))
            cell += w_.local(QStringLiteral("."));
        return cell.leftJustified(9, QLatin1Char('0'));
    }

    // An item typed exactly, a near miss typed, or arrow keys; ended by Enter or a click elsewhere.
    QString editList(int row, int column, ByteMasks& allowed) {
        QComboBox* editor = w_.grid()->listEditor(column - 2);
        const int base = layout::channelBase(row);
        if (column == 2)
            allow(allowed, base + layout::Tone, 2);
        else
            allow(allowed, base + layout::Flags, 1, column == 3 ? layout::Wide : layout::HighPower);
        const QString before = w_.cell(row, column);
        QString expected;
        QString typed;
        Qt::Key press = Qt::Key_unknown;
        const int way = editor->isEditable() ? pick(3) : 2;
        if (way == 0) {
            typed = editor->itemText(pick(editor->count()));
            expected = typed;
        } else if (way == 1) {
            const QString item = editor->itemText(pick(editor->count()));
            typed = coin() ? item.toLower() : item.left(1 + pick(static_cast<int>(item.size())));
            if (column == 3 && typed != editor->itemText(0) && typed != editor->itemText(1))
                expected = before; // a spacing text that is no item changes nothing
        } else {
            press = coin() ? Qt::Key_Up : Qt::Key_Down;
            if (column == 4)
                expected = editor->itemText(press == Qt::Key_Up ? 0 : 1);
        }
        w_.typeInCell(row, column, typed, press);
        w_.finish(coin());
        return expected;
    }

    void chooseOption(ByteMasks& allowed) {
        const std::pair<const char*, int> lists[] = {{"ComboSQ", layout::SqLevel},
                                                     {"ComboTOT", layout::TotStep},
                                                     {"ComboSqDelay", layout::SqDelayStep},
                                                     {"ComboOffset_0", layout::OffsetWide},
                                                     {"ComboOffset_1", layout::OffsetNarrow}};
        const auto [name, byteIndex] = lists[pick(5)];
        auto* list = w_.find<QComboBox>(name);
        w_.click(list); // a drop-down list opens; an offset box takes the focus into its text
        if (list->isEditable() && coin()) {
            w_.selectAll();
            w_.type(digits(1 + pick(3)));
            w_.finish(coin()); // typed text changes nothing
            return;
        }
        allow(allowed, byteIndex, 1);
        for (int n = pick(6); n > 0; --n)
            w_.key(coin() ? Qt::Key_Up : Qt::Key_Down);
        if (!list->isEditable())
            w_.key(coin() ? Qt::Key_Return : Qt::Key_Escape);
    }

    void toggleCheck(ByteMasks& allowed) {
        const std::pair<const char*, std::uint8_t> checks[] = {{"CheckSave", layout::PowerSave},
                                                               {"CheckBeep", layout::Beep},
                                                               {"CheckBusyLock", layout::BusyLock}};
        const auto [name, bit] = checks[pick(3)];
        allow(allowed, layout::Options, 1, bit);
        w_.click(w_.find<QCheckBox>(name));
    }

    test::WindowDriver& w_;
    std::mt19937 random_{20261208};
};

} // namespace

class MainWindowRandomEditsTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir_;

private slots:
    void initTestCase() {
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::SystemScope,
                               settingsDir_.filePath(QStringLiteral("machine")));
            QSettings::setPath(format, QSettings::UserScope, settingsDir_.filePath(QStringLiteral("user")));
        }
    }

    void editsKeepTheViewAndTheImageInStep() {
        QtSettingsStore settings;
        test::WindowDriver window;
        window.start({}, &settings.store());
        RandomEdits(window).run();
    }
};

QTEST_MAIN(MainWindowRandomEditsTest)
#include "MainWindowRandomEditsTest.moc"
