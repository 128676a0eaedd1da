// The command table: enabled rules, the dispatcher's key scopes, menus and tool buttons built
// from it.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "ui/command_table.h"

using namespace kravelo;

namespace {

struct Rig {
    QWidget window;
    CommandTable table{window};
    bool editor = true, movie = false, full = false;
    std::vector<std::string> ran;

    Rig() {
        table.editorShown = [this] { return editor; };
        table.movieLoaded = [this] { return movie; };
        table.fullScreen = [this] { return full; };
    }
    QAction* Add(const char* name, unsigned needs, std::vector<KeyBinding> keys = {}, bool menuItem = true) {
        Command c;
        c.name = name;
        c.caption = QString::fromLatin1(name);
        c.run = [this, name] { ran.emplace_back(name); };
        c.needs = needs;
        c.keys = std::move(keys);
        c.menuItem = menuItem;
        return table.Add(std::move(c));
    }
    bool Key(Qt::KeyboardModifiers m, Qt::Key k) { return table.DispatchKey(QKeyCombination(m, k)); }
};

TEST(CommandTable, NeedsAndRulesDecideWhatIsEnabled) {
    Rig r;
    QAction* edit = r.Add("Edit", kNeedsEditor);
    QAction* play = r.Add("Play", kNeedsMovie);
    QAction* stamp = r.Add("Stamp", kNeedsMovie | kNeedsEditor);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_FALSE(play->isEnabled());
    r.movie = true;
    r.editor = false;
    r.table.Refresh();
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_TRUE(play->isEnabled());
    EXPECT_FALSE(stamp->isEnabled());
    // A disabled command does not run, whichever way it is reached.
    EXPECT_FALSE(r.table.Run("Stamp"));
    EXPECT_TRUE(r.table.Run("Play"));
    EXPECT_EQ(r.ran, (std::vector<std::string>{"Play"}));
    EXPECT_FALSE(r.table.Run("Nobody"));
}

TEST(CommandTable, TheDispatcherHonoursKeyScopes) {
    Rig r;
    r.movie = true;
    r.Add("Pause", kNeedsMovie, {{QKeyCombination(Qt::Key_Space)}});
    r.Add("Jump", kNeedsMovie, {{QKeyCombination(Qt::AltModifier, Qt::Key_Right), KeyScope::Always}});
    r.Add("Volume", kNeedsNothing, {{QKeyCombination(Qt::Key_PageUp), KeyScope::EditorOffOnly}}, false);
    r.Add("Zoom", kNeedsNothing, {{QKeyCombination(Qt::Key_Plus), KeyScope::FullScreenOnly}}, false);
    r.Add("Other", kNeedsNothing, {{QKeyCombination(Qt::Key_Space)}});

    // Editing: only the keys meant for every mode.
    EXPECT_FALSE(r.Key(Qt::NoModifier, Qt::Key_Space));
    EXPECT_FALSE(r.Key(Qt::NoModifier, Qt::Key_PageUp));
    EXPECT_TRUE(r.Key(Qt::AltModifier, Qt::Key_Right));
    // Editor off: the player's keys; full screen: the player's keys and its own, not the volume.
    r.editor = false;
    EXPECT_TRUE(r.Key(Qt::NoModifier, Qt::Key_Space));
    EXPECT_TRUE(r.Key(Qt::NoModifier, Qt::Key_PageUp));
    EXPECT_FALSE(r.Key(Qt::NoModifier, Qt::Key_Plus));
    r.full = true;
    EXPECT_FALSE(r.Key(Qt::NoModifier, Qt::Key_PageUp));
    EXPECT_TRUE(r.Key(Qt::NoModifier, Qt::Key_Plus));
    EXPECT_EQ(r.ran, (std::vector<std::string>{"Jump", "Pause", "Volume", "Zoom"}));
    // A bound key whose command cannot run is taken and does nothing: it does not fall through.
    r.movie = false;
    EXPECT_TRUE(r.Key(Qt::NoModifier, Qt::Key_Space));
    EXPECT_EQ(r.ran.size(), 4u);
}

TEST(CommandTable, MenusAndToolButtonsFollowTheCommands) {
    Rig r;
    QAction* save = r.Add("Save", kNeedsEditor);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    bool on = false;
    Command toggle;
    toggle.name = "Toggle";
    toggle.run = [&on] { on = !on; };
    toggle.checkable = true;
    toggle.checked = [&on] { return on; };
    r.table.Add(std::move(toggle));

    QMenu menu;
    r.table.FillMenu(&menu, {"Save", "-N7", "Missing", "Toggle"});
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions()[1]->objectName(), "N7");
    EXPECT_TRUE(menu.actions()[1]->isSeparator());

    QToolBar bar;
    QToolButton* saveButton = r.table.AddToolButton(&bar, "SpeedButtonSave", "Save", "hint", QStyle::SP_DialogSaveButton);
    QToolButton* toggleButton = r.table.AddToolButton(&bar, "SpeedButtonToggle", "Toggle", "", QStyle::SP_BrowserStop);
    EXPECT_EQ(r.table.AddToolButton(&bar, "SpeedButtonNone", "Missing", "", QStyle::SP_BrowserStop), nullptr);
    EXPECT_TRUE(r.table.OwnsShortcut(QKeySequence(Qt::CTRL | Qt::Key_S)));
    r.editor = false;
    r.table.Refresh();
    EXPECT_FALSE(saveButton->isEnabled());
    EXPECT_FALSE(r.table.OwnsShortcut(QKeySequence(Qt::CTRL | Qt::Key_S)));

    // The button shows the state the command settled on, not merely its own toggle.
    toggleButton->click();
    EXPECT_TRUE(on);
    EXPECT_TRUE(toggleButton->isChecked());
    on = false;
    r.table.Refresh();
    EXPECT_FALSE(toggleButton->isChecked());
}

}  // namespace
