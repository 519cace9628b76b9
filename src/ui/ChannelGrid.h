#pragma once
// The channel table with its in-place editors: a click opens an editor over the cell; losing the
// focus or Enter commits it through the editing rules.

#include <QTableWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editing/ImageStep.h"
#include "image/AppState.h"
#include "image/ChannelView.h"
#include "platform/MessageBoxes.h"
#include "texts/InterfaceTexts.h"

class QComboBox;
class QLineEdit;

namespace vorix {

class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 17; // header row and sixteen channels
    static constexpr int kColumns = 5;

    ChannelGrid(AppState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    ~ChannelGrid() override;

    /// Cell text by row and column, as the editing rules see it.
    std::string cellText(int row, int column) const;
    void setCellText(int row, int column, const std::string& text);

    /// Header row texts and the in-place lists in the current language.
    void applyLanguage();
    /// Columns 1..4 of every channel row from the view.
    void showRows(const std::array<ChannelRowTexts, 16>& rows);
    /// Column widths and row heights in twips, converted for the screen.
    void applyGeometry();

    /// Finishes an open edit as if the editor had lost the focus; does nothing otherwise.
    void commitOpenEdit();
    /// True while an in-place editor is open: the editing keys belong to it.
    bool isEditing() const { return openEditor() != nullptr; }
    /// The selected channel rows, ascending; the current row when none is selected.
    std::vector<int> selectedChannels() const;
    /// Selects the rows of these channels; the first becomes the current row.
    void selectChannels(const std::vector<int>& channels);
    /// Closes an open editor without storing anything: the cell keeps what it showed.
    void cancelOpenEdit();
    /// Each committed cell edit that changed the image is handed on as a step.
    void setStepSink(std::function<void(ImageStep)> sink) { stepSink_ = std::move(sink); }

    QLineEdit* frequencyEditor() const { return frequencyEditor_; }
    QComboBox* listEditor(int index) const { return listEditors_[static_cast<std::size_t>(index)]; }

    /// The cell the in-place editors work on (row 1..16, column 1..4).
    int editRow() const { return editRow_; }
    int editColumn() const { return editColumn_; }

public slots:
    void openCellEditor();
    void commitFrequencyEditor();
    void commitListEditor(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    bool frequencyKeyPress(QKeyEvent* event);
    void finishListEditWithEnter();
    QRect cellRect(int row, int column) const;
    int wrappedTextHeight(int row, int column) const;
    int comboListIndex(int index) const;
    QWidget* openEditor() const;
    template <typename Edit> void recordEdit(TextId name, Edit&& edit);

    AppState& state_;
    MessageBoxes& messages_;
    QLineEdit* frequencyEditor_;
    std::array<QComboBox*, 3> listEditors_{};
    bool committing_ = false;
    int editRow_ = 1;
    int editColumn_ = 0;
    bool enterPressed_ = false;
    std::function<void(ImageStep)> stepSink_;
};

} // namespace vorix
