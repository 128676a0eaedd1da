#include "app/view_modes.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>

#include "app/main_window.h"
#include "app/movie_port.h"
#include "core/full_screen_layout.h"
#include "ui/command_names.h"

namespace kravelo {

ViewModes::ViewModes(MainWindow& window) : QObject(&window), window_(window) {
    RegisterCommands();
    QPlainTextEdit* editor = window_.Editor();
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
}

bool ViewModes::EditorEnabled() const { return window_.GetSettings().EditorEnabled; }
bool ViewModes::Compact() const { return window_.GetSettings().CompactMode; }

void ViewModes::RegisterCommands() {
    using K = QKeySequence;
    CommandTable& t = window_.Commands();
    Command editor;
    editor.name = cmd::kShowEditor;
    editor.caption = QStringLiteral("&Edytor napisów");
    editor.shortcuts = {K(Qt::CTRL | Qt::Key_E)};
    editor.run = [this] { EditorCommand(); };
    editor.checkable = true;
    editor.checked = [this] { return EditorEnabled(); };
    editor.enabled = [this] { return !window_.FullScreen(); };
    t.Add(std::move(editor));

    Command compact;
    compact.name = cmd::kCompact;
    compact.caption = QStringLiteral("&Kompaktowy");
    compact.shortcuts = {K(Qt::ALT | Qt::Key_E)};
    compact.run = [this] { ToggleCompact(); };
    compact.checkable = true;
    compact.checked = [this] { return Compact(); };
    compact.enabled = [this] { return !window_.FullScreen(); };
    t.Add(std::move(compact));

    const std::pair<const char*, int> zooms[] = {{cmd::kZoom50, 50}, {cmd::kZoom100, 100}, {cmd::kZoom200, 200}};
    const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3};
    for (int i = 0; i < 3; ++i) {
        Command zoom;
        zoom.name = zooms[i].first;
        zoom.caption = QStringLiteral("&%1%").arg(zooms[i].second);
        zoom.shortcuts = {K(Qt::ALT | keys[i])};
        const int percent = zooms[i].second;
        zoom.run = [this, percent] { ZoomCommand(percent); };
        zoom.enabled = [this] { return ZoomEnabled(); };
        t.Add(std::move(zoom));
    }
}

void ViewModes::ApplyAtStart() {
    const bool compact = Compact();
    // Run before and after the settings-dependent set-up: the editor's loaded state is the one
    // compact mode gives back.
    if (!startApplied_) editorBeforeCompact_ = EditorEnabled();
    startApplied_ = true;
    // A compact mode loaded as on is applied like one switched on now: the editor goes.
    SetEditorEnabled(compact ? false : EditorEnabled());
    ApplyCompactLayout();
    window_.Commands().Refresh();
}

void ViewModes::SetEditorEnabled(bool on) {
    Settings& s = window_.GetSettings();
    QSplitter* splitter = window_.Splitter();
    QPlainTextEdit* editor = window_.Editor();
    QWidget* text = window_.PanelText();
    const bool wasShown = text->isVisibleTo(&window_) || !window_.isVisible();
    if (!on && text->isVisibleTo(&window_)) splitterSizes_ = splitter->sizes();
    s.EditorEnabled = on;
    editor->setEnabled(on);
    window_.LabelFileName()->setEnabled(on);
    text->setVisible(on);
    if (on && !wasShown && splitterSizes_.size() == 2) splitter->setSizes(splitterSizes_);

    window_.Commands().Refresh();
    RefreshHints();
    if (on && editor->isVisibleTo(&window_) && window_.isVisible()) editor->setFocus();
}

void ViewModes::RefreshHints() {
    const bool on = EditorEnabled();
    // The show-subtitles button's hint carries the key of the mode.
    if (auto* button = window_.findChild<QToolButton*>(QStringLiteral("SpeedButtonShowSubTit"))) {
        QString base = QString::fromStdString(window_.GetLanguage().ShowSubtitlesHint());
        if (base.isEmpty()) base = button->toolTip();
        if (qsizetype open = base.lastIndexOf(QStringLiteral(" (")); open > 0 && base.endsWith(u')'))
            base.truncate(open);
        button->setToolTip(base + (on ? QStringLiteral(" (Shift+Ctrl+N)") : QStringLiteral(" (N)")));
    }
    emit EditorModeChanged(on);
}

void ViewModes::EditorCommand() {
    if (Compact()) return;
    SetEditorEnabled(!EditorEnabled());
}

void ViewModes::ToggleCompact() {
    Settings& s = window_.GetSettings();
    s.CompactMode = !s.CompactMode;
    if (s.CompactMode) {
        editorBeforeCompact_ = s.EditorEnabled;
        if (s.EditorEnabled) SetEditorEnabled(false);
    } else {
        SetEditorEnabled(editorBeforeCompact_);
    }
    ApplyCompactLayout();
    window_.Commands().Refresh();
}

void ViewModes::ApplyCompactLayout() {
    // Compact: only the menu bar above the video.
    const bool compact = Compact();
    if (QToolBar* bar = window_.ToolBar()) bar->setVisible(!compact);
    window_.statusBar()->setVisible(!compact);
}

bool ViewModes::ZoomEnabled() const {
    if (!window_.MovieLoaded()) return false;
    return !(EditorEnabled() && !Compact());
}

void ViewModes::ZoomCommand(int percent) {
    const MoviePort* movie = window_.Movie();
    if (!movie || !ZoomEnabled()) return;
    const ClientSize c = ZoomClientSize(movie->ImageWidth(), movie->ImageHeight(), percent, Compact());
    if (window_.isMaximized()) window_.showNormal();
    window_.resize(c.width, c.height);
}

void ViewModes::UpdateCaretLabel() {
    QPlainTextEdit* editor = window_.Editor();
    const int line = editor->textCursor().blockNumber();
    const int count = editor->document()->blockCount();
    window_.LabelCursorPos()->setText(QStringLiteral("%1:%2 ").arg(line + 1).arg(count));
}

bool ViewModes::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            UpdateCaretLabel();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kravelo
