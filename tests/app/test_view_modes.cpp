// The window's view modes: the editor switch honoured at start, the compact mode (also when
// loaded as on), the editing commands following the editor, and the caret-position label.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>

#include "app/view_modes.h"
#include "app/window_test.h"
#include "ui/command_names.h"

using namespace kravelo;
using namespace kravelo::test;

namespace {

class ViewModesTest : public WindowTest {
protected:
    bool EditorVisible() const { return window->PanelText()->isVisibleTo(window.get()); }
};

// The setting decides at start; Ctrl+E switches, and the editing commands and the tick follow.
TEST_F(ViewModesTest, EditorSwitchHonoursTheSettingAndDisablesEditing) {
    Start("EditorEnabled=0\r\n");
    EXPECT_FALSE(EditorVisible());
    EXPECT_FALSE(window->Action(cmd::kShowEditor)->isChecked());
    // Copy, cut and paste too, in the Edit menu and in the pop-up menu.
    for (const char* name : {cmd::kNew, cmd::kAppend, cmd::kShift, cmd::kConvert, cmd::kFindText, cmd::kSort,
                             cmd::kCopy, cmd::kCut, cmd::kPaste, cmd::kCopyPopup, cmd::kItalics})
        EXPECT_FALSE(window->Action(name)->isEnabled()) << name;
    // Commands that do not edit stay.
    EXPECT_TRUE(window->Action(cmd::kOpen)->isEnabled());

    window->Action(cmd::kShowEditor)->trigger();
    EXPECT_TRUE(EditorVisible());
    EXPECT_TRUE(window->Action(cmd::kShowEditor)->isChecked());
    EXPECT_TRUE(window->Action(cmd::kCopy)->isEnabled());

    // The tool button does the same, and the setting is saved.
    auto* button = window->findChild<QToolButton*>(QStringLiteral("SpeedButtonEditorEnabled"));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_FALSE(window->EditorShown());
    window->SaveSettingsNow();
    EXPECT_NE(TempDir::Read(dir.File("prog/kravelo.ini")).find("EditorEnabled=0"), std::string::npos);
}

// Compact mode hides the editor (and the bars) and gives back the editor's state before it;
// Ctrl+E is locked meanwhile.
TEST_F(ViewModesTest, CompactModeRemembersTheEditorAndLocksTheSwitch) {
    Start("EditorEnabled=1\r\n");
    ViewModes& views = window->Views();
    ASSERT_TRUE(window->EditorShown());
    window->Action(cmd::kCompact)->trigger();
    EXPECT_TRUE(window->GetSettings().CompactMode);
    EXPECT_FALSE(window->EditorShown());
    EXPECT_FALSE(window->ToolBar()->isVisibleTo(window.get()));
    window->Action(cmd::kShowEditor)->trigger();
    EXPECT_FALSE(window->EditorShown());  // locked
    views.ToggleCompact();
    EXPECT_TRUE(EditorVisible());
    EXPECT_TRUE(window->ToolBar()->isVisibleTo(window.get()));

    // With the editor hidden before, it stays hidden after.
    views.SetEditorEnabled(false);
    views.ToggleCompact();
    views.ToggleCompact();
    EXPECT_FALSE(window->EditorShown());
    EXPECT_FALSE(window->GetSettings().CompactMode);
    // Without a movie the window-size zoom has nothing to size by.
    EXPECT_FALSE(window->Action(cmd::kZoom100)->isEnabled());
}

// A compact mode loaded as on is in force at once: ticked, editor and bars hidden; leaving it
// brings back the editor the settings had.
TEST_F(ViewModesTest, CompactModeLoadedAsOnIsAppliedInFull) {
    Start("EditorEnabled=1\r\nCompactMode=1\r\n");
    EXPECT_TRUE(window->Action(cmd::kCompact)->isChecked());
    EXPECT_FALSE(EditorVisible());
    EXPECT_FALSE(window->ToolBar()->isVisibleTo(window.get()));
    window->Views().ToggleCompact();
    EXPECT_TRUE(window->EditorShown());
    EXPECT_FALSE(window->Action(cmd::kCompact)->isChecked());
}

// The caret label names the caret's line and the number of lines, not one more.
TEST_F(ViewModesTest, CaretLabelShowsLineAndLineCount) {
    Start("EditorEnabled=1\r\n");
    QPlainTextEdit* editor = window->Editor();
    editor->setPlainText("{1}{2}a\n{3}{4}b\n{5}{6}c");
    editor->setFocus();
    QTextCursor c(editor->document()->findBlockByNumber(1));
    editor->setTextCursor(c);
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(window->LabelCursorPos()->text(), "3:3 ");
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, 
                      editor->cursorRect(QTextCursor(editor->document()->firstBlock())).center());
    EXPECT_EQ(window->LabelCursorPos()->text(), "1:3 ");
}

}  // namespace
