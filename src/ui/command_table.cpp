#include "ui/command_table.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace kravelo {

CommandTable::CommandTable(QWidget& window) : QObject(&window), window_(window) {}

CommandTable::~CommandTable() = default;

QAction* CommandTable::Add(Command command) {
    auto entry = std::make_unique<Entry>();
    entry->command = std::move(command);
    Entry* e = entry.get();
    if (e->command.menuItem) {
        auto* action = new QAction(e->command.caption, &window_);
        action->setObjectName(QLatin1String(e->command.name));
        action->setShortcuts(e->command.shortcuts);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(e->command.checkable);
        // A checkable command's handler decides the state; the action shows it afterwards.
        connect(action, &QAction::triggered, this, [this, e] {
            if (!Allowed(*e)) return;
            if (e->command.run) e->command.run();
            Refresh();
        });
        window_.addAction(action);
        e->action = action;
    }
    byName_[e->command.name] = e;
    entries_.push_back(std::move(entry));
    Refresh();
    return e->action;
}

QAction* CommandTable::Add(const char* name, const char* caption, QList<QKeySequence> shortcuts,
                          std::function<void()> run, unsigned needs, std::vector<KeyBinding> keys) {
    Command c;
    c.name = name;
    c.caption = QString::fromUtf8(caption);
    c.shortcuts = std::move(shortcuts);
    c.run = std::move(run);
    c.needs = needs;
    c.keys = std::move(keys);
    return Add(std::move(c));
}

const CommandTable::Entry* CommandTable::Find(std::string_view name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

QAction* CommandTable::Action(std::string_view name) const {
    const Entry* e = Find(name);
    return e ? e->action : nullptr;
}

bool CommandTable::Has(std::string_view name) const { return Find(name) != nullptr; }

bool CommandTable::Allowed(const Entry& e) const {
    const Command& c = e.command;
    if ((c.needs & kNeedsEditor) && editorShown && !editorShown()) return false;
    if ((c.needs & kNeedsMovie) && (!movieLoaded || !movieLoaded())) return false;
    return !c.enabled || c.enabled();
}

bool CommandTable::Enabled(std::string_view name) const {
    const Entry* e = Find(name);
    return e && Allowed(*e);
}

bool CommandTable::Run(std::string_view name) {
    const Entry* e = Find(name);
    if (!e || !Allowed(*e) || !e->command.run) return false;
    e->command.run();
    Refresh();
    return true;
}

void CommandTable::Refresh() {
    for (const auto& e : entries_) {
        if (!e->action) continue;
        e->action->setEnabled(Allowed(*e));
        if (e->command.captionNow) e->action->setText(e->command.captionNow());
        if (e->command.checkable && e->command.checked) {
            const bool on = e->command.checked();
            if (e->action->isChecked() != on) e->action->setChecked(on);
        }
    }
}

void CommandTable::FillMenu(QMenu* menu, std::initializer_list<const char*> items) const {
    for (const char* item : items) {
        const std::string_view name(item);
        if (name.starts_with('-')) {
            QAction* separator = menu->addSeparator();
            if (name.size() > 1) separator->setObjectName(QLatin1String(item + 1));
        } else if (QAction* action = Action(name)) {
            menu->addAction(action);
        }
    }
}

QToolButton* CommandTable::AddToolButton(QToolBar* bar, const char* buttonName, std::string_view command,
                                         const QString& hint, QStyle::StandardPixmap icon) const {
    QAction* action = Action(command);
    if (!action) return nullptr;
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(buttonName));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setIcon(bar->style()->standardIcon(icon));
    button->setCheckable(action->isCheckable());
    auto follow = [button, action] {
        button->setEnabled(action->isEnabled());
        if (action->isCheckable()) button->setChecked(action->isChecked());
    };
    follow();
    // A click runs the action; a checkable button then shows the state the command settled on.
    connect(button, &QToolButton::clicked, action, [action, follow] {
        action->trigger();
        follow();
    });
    connect(action, &QAction::changed, button, follow);
    bar->addWidget(button);
    return button;
}

bool CommandTable::DispatchKey(QKeyCombination key) {
    const bool editorOff = editorShown && !editorShown();
    const bool full = fullScreen && fullScreen();
    for (const auto& e : entries_) {
        for (const KeyBinding& binding : e->command.keys) {
            if (binding.key != key) continue;
            bool inScope = false;
            switch (binding.scope) {
                case KeyScope::Always: inScope = true; break;
                case KeyScope::EditorOffOrFullScreen: inScope = editorOff || full; break;
                case KeyScope::EditorOffOnly: inScope = editorOff && !full; break;
                case KeyScope::FullScreenOnly: inScope = full; break;
            }
            if (!inScope) continue;
            // A bound key of a command that cannot run now does nothing, and no other command
            // takes it.
            if (Allowed(*e) && e->command.run) {
                e->command.run();
                Refresh();
            }
            return true;
        }
    }
    return false;
}

bool CommandTable::OwnsShortcut(const QKeySequence& pressed) const {
    for (const auto& e : entries_) {
        if (!e->action || !e->action->isEnabled()) continue;
        for (const QKeySequence& shortcut : e->action->shortcuts())
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
    }
    return false;
}

}  // namespace kravelo
