#pragma once
// One table of the window's commands. Each command has its object name (the name the language
// files use), its built-in caption, its shortcuts, its handler, the rule that enables it, its
// checked state, and the keys that reach it while the editor is off or in full screen. Menus,
// pop-up menus, tool buttons and the key dispatcher are all built from the table; a part of the
// program (the movie side, full screen, chapters) adds its commands with `Add`.
//
//     commands.Add({.name = cmd::kSave, .caption = "Zapisz", .shortcuts = {Qt::CTRL | Qt::Key_S},
//                   .run = [this] { SaveDocument(); },
//                   .needs = kNeedsEditor, .enabled = [this] { return session.Modified(); }});
//     commands.FillMenu(fileMenu, {cmd::kNew, cmd::kOpen, "-", cmd::kSave});
//     commands.Refresh();   // after anything an enabled rule reads has changed

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <QStyle>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

namespace kravelo {

// What a command needs before it can run; checked by `Refresh` and by the dispatcher.
enum CommandNeeds : unsigned {
    kNeedsNothing = 0,
    kNeedsEditor = 1,  // an editing command: disabled while the editor is hidden
    kNeedsMovie = 2,   // works on the loaded movie: disabled while none is loaded
};

// When a dispatcher key reaches its command.
enum class KeyScope {
    Always,                 // whatever the mode (Alt+Right while editing, say)
    EditorOffOrFullScreen,  // the player's keys: the editor cannot be typed in
    EditorOffOnly,          // only while the editor is disabled, not in full screen
    FullScreenOnly,
};

struct KeyBinding {
    QKeyCombination key;
    KeyScope scope = KeyScope::EditorOffOrFullScreen;
};

struct Command {
    const char* name = "";         // object name; the language files' key
    QString caption;               // built-in caption, replaced by the language file's
    std::function<QString()> captionNow;  // a caption made anew by each Refresh
    QList<QKeySequence> shortcuts; // window shortcuts, shown in the menus
    std::function<void()> run;
    unsigned needs = kNeedsNothing;
    std::function<bool()> enabled;  // an extra rule; none = enabled
    bool checkable = false;
    std::function<bool()> checked;  // the state a checkable command shows
    std::vector<KeyBinding> keys;   // keys of the dispatcher
    bool menuItem = true;           // false: reached by keys only, no QAction
};

class CommandTable : public QObject {
    Q_OBJECT
public:
    // Actions are added to `window`, so their shortcuts work while menus and tool bars are hidden.
    explicit CommandTable(QWidget& window);
    ~CommandTable() override;

    // The state the `needs` of every command are checked against.
    std::function<bool()> editorShown;
    std::function<bool()> movieLoaded;
    std::function<bool()> fullScreen;

    QAction* Add(Command command);
    // The common case: a menu command with its caption, shortcuts, handler, needs and keys.
    QAction* Add(const char* name, const char* caption, QList<QKeySequence> shortcuts, std::function<void()> run,
                 unsigned needs = kNeedsNothing, std::vector<KeyBinding> keys = {});
    // The command's action; null for names nobody registered.
    QAction* Action(std::string_view name) const;
    bool Has(std::string_view name) const;
    bool Enabled(std::string_view name) const;
    // Runs a command when it is enabled; false otherwise.
    bool Run(std::string_view name);

    // Evaluates every enabled rule and checked state again.
    void Refresh();

    // Adds the named commands to a menu in order; "-" is a separator, "-N5" a separator with an
    // object name. Names nobody registered are left out.
    void FillMenu(QMenu* menu, std::initializer_list<const char*> items) const;
    // A tool button that runs the command and follows its enabled and checked state, with a
    // hint of its own (the language file sets it by the button's name).
    QToolButton* AddToolButton(QToolBar* bar, const char* buttonName, std::string_view command, const QString& hint,
                               QStyle::StandardPixmap icon) const;

    // The dispatcher: runs the first enabled command bound to the key in the current mode.
    bool DispatchKey(QKeyCombination key);
    // True when an enabled command owns the shortcut (it wins over the editor's own bindings).
    bool OwnsShortcut(const QKeySequence& pressed) const;

private:
    struct Entry {
        Command command;
        QAction* action = nullptr;
    };
    bool Allowed(const Entry& e) const;
    const Entry* Find(std::string_view name) const;

    QWidget& window_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::map<std::string, Entry*, std::less<>> byName_;
};

}  // namespace kravelo
