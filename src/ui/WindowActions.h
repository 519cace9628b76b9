#pragma once
// The main window's menu bar: file, edit, radio, view and help commands with their standard
// shortcuts, and the channel-row commands of the Edit menu routed to the editing core.

#include <QObject>
#include <string>
#include <vector>

#include "image/AppState.h"
#include "texts/InterfaceTexts.h"

class QAction;
class QMenu;
class QMenuBar;

namespace vorix {

class ChannelGrid;
class ImageHistory;
class MainWindow;

class WindowActions : public QObject {
    Q_OBJECT
public:
    WindowActions(MainWindow& window, AppState& state, ImageHistory& history, ChannelGrid& grid);

    QMenuBar* menuBar() const { return menuBar_; }
    /// Every menu and entry in the current language.
    void applyLanguage();

    // The channel-row commands, on the selected rows of the grid.
    void copyRows();
    void cutRows();
    void pasteRows();
    void clearRows();
    void moveRows(bool up);
    void sortRows();
    void selectAllRows();
    void undo();
    void redo();

private:
    QAction* addAction(QMenu* menu, TextId text, const char* name);
    /// True when the row commands may act: the grid has the focus and no in-place editor is open.
    bool rowsHaveTheKeys() const;
    /// Shows the image and selects the rows after a row command that made `changed` true.
    void showRowChange(bool changed, const std::vector<int>& selection);
    void clearRowsAs(TextId stepName);
    void fillRecentMenu(QMenu* menu);

    MainWindow& window_;
    AppState& state_;
    ImageHistory& history_;
    ChannelGrid& grid_;
    QMenuBar* menuBar_;
    std::vector<std::pair<QMenu*, TextId>> menus_;
    std::vector<std::pair<QAction*, TextId>> actions_;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* englishAction_ = nullptr;
    QAction* chineseAction_ = nullptr;
};

} // namespace vorix
