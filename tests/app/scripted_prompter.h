#pragma once
// A Prompter for tests: message boxes are recorded and answered from a queue, dialogs are shown
// (so they count themselves and run their show logic), handed to a script that fills their
// fields and presses their buttons, and closed with Anuluj when the script leaves them open;
// file dialogs answer from queues and record what was asked.
//
//     ScriptedPrompter p;
//     p.Dialog("FormPytanie03PrzesNap", [](QDialog& d) {
//         d.findChild<QLineEdit*>("EditSec")->setText("1.5");
//         d.findChild<QPushButton*>("Button1")->click();
//     });
//     p.answers.push_back(BoxAnswer::No);

#include <QDialog>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "ui/open_dialog_count.h"
#include "ui/prompts.h"

namespace kravelo::test {

class ScriptedPrompter : public Prompter {
public:
    struct Box {
        QString text;
        QString caption;
        BoxButtons buttons;
        MessageIcon icon;
        int openDialogs;  // OpenDialogCount while the box was up
    };
    using Script = std::function<void(QDialog&)>;

    std::vector<Box> boxes;
    std::deque<BoxAnswer> answers;  // empty: OK, No or Cancel by the buttons
    std::deque<std::pair<QString, Script>> scripts;
    std::vector<QString> dialogsShown;
    std::deque<QString> openAnswers;  // empty: cancelled
    std::deque<QString> saveAnswers;
    std::vector<FileRequest> saveRequests;
    const OpenDialogCounter* counter = nullptr;

    void Dialog(const QString& objectName, Script script) { scripts.emplace_back(objectName, std::move(script)); }

    BoxAnswer MessageBox(QWidget*, const QString& text, const QString& caption, BoxButtons buttons,
                         MessageIcon icon) override {
        boxes.push_back({text, caption, buttons, icon, counter ? counter->Value() : -1});
        if (!answers.empty()) {
            BoxAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == BoxButtons::Ok ? BoxAnswer::Ok : buttons == BoxButtons::YesNo ? BoxAnswer::No
                                                                                         : BoxAnswer::Cancel;
    }

    int ExecDialog(QDialog& dialog) override {
        dialogsShown.push_back(dialog.objectName());
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (!scripts.empty() && scripts.front().first == dialog.objectName()) {
            Script script = std::move(scripts.front().second);
            scripts.pop_front();
            script(dialog);
        }
        if (dialog.isVisible()) dialog.reject();
        return dialog.result();
    }

    QString OpenFileName(QWidget*, FileRequest&) override { return Next(openAnswers); }
    QString SaveFileName(QWidget*, FileRequest& request) override {
        saveRequests.push_back(request);
        return Next(saveAnswers);
    }

private:
    static QString Next(std::deque<QString>& queue) {
        if (queue.empty()) return {};
        QString s = queue.front();
        queue.pop_front();
        return s;
    }
};

}  // namespace kravelo::test
