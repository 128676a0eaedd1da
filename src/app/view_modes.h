#pragma once
// The window's view modes: the editor shown or hidden (Ctrl+E and its tool button), the compact
// mode (Alt+E; the video fills the window under the menu bar), the window-size zoom commands
// (50/100/200 % of the picture) and the caret-position label. The modes live in the settings
// ("EditorEnabled", "CompactMode") and are applied in full at start.
//
//     ViewModes views(window);     // registers its commands in the window's table
//     views.SetEditorEnabled(false);
//     views.ToggleCompact();

#include <QObject>
#include <QList>

class QLabel;

namespace kravelo {

class MainWindow;

class ViewModes : public QObject {
    Q_OBJECT
public:
    explicit ViewModes(MainWindow& window);

    // Applies the loaded modes: the editor as "EditorEnabled" says, and a compact mode loaded
    // as on with its tick and the editor hidden.
    void ApplyAtStart();

    bool EditorEnabled() const;
    bool Compact() const;
    // Shows or hides the editor; the editing commands and the tool-button hints follow.
    void SetEditorEnabled(bool on);
    // The editor command: nothing in compact mode.
    void EditorCommand();
    void ToggleCompact();
    // The window-size zoom of the picture: 50, 100 or 200.
    void ZoomCommand(int percent);
    bool ZoomEnabled() const;
    // The hints that name the keys of the current mode, again (after a language change).
    void RefreshHints();
    // Line of the caret + 1, ":", the number of lines, " ".
    void UpdateCaretLabel();

signals:
    // The editor was shown or hidden: the movie side changes the hints of its buttons.
    void EditorModeChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterCommands();
    void ApplyCompactLayout();

    MainWindow& window_;
    bool editorBeforeCompact_ = true;
    bool startApplied_ = false;
    QList<int> splitterSizes_;
};

}  // namespace kravelo
