#include "ui/prompts.h"

#include <QFileDialog>
#include <QMessageBox>

#include "core/message_texts.h"
#include "ui/open_dialog_count.h"

namespace kravelo {

BoxAnswer QtPrompter::MessageBox(QWidget* owner, const QString& text, const QString& caption, BoxButtons buttons,
                                 MessageIcon icon) {
    QMessageBox box(owner);
    box.setText(text);
    box.setWindowTitle(caption);
    switch (icon) {
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case BoxButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case BoxButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case BoxButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes: return BoxAnswer::Yes;
        case QMessageBox::No: return BoxAnswer::No;
        case QMessageBox::Ok: return BoxAnswer::Ok;
        default: return buttons == BoxButtons::Ok ? BoxAnswer::Ok : buttons == BoxButtons::YesNo ? BoxAnswer::No
                                                                                                  : BoxAnswer::Cancel;
    }
}

int QtPrompter::ExecDialog(QDialog& dialog) { return dialog.exec(); }

namespace {

QString RunFileDialog(QWidget* owner, FileRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, request.title, request.folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.filters.size())
        dialog.selectNameFilter(request.filters[request.filterIndex - 1]);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    int index = request.filters.indexOf(dialog.selectedNameFilter());
    if (index >= 0) request.filterIndex = index + 1;
    return dialog.selectedFiles().first();
}

}  // namespace

QString QtPrompter::OpenFileName(QWidget* owner, FileRequest& request) {
    return RunFileDialog(owner, request, QFileDialog::AcceptOpen);
}

QString QtPrompter::SaveFileName(QWidget* owner, FileRequest& request) {
    return RunFileDialog(owner, request, QFileDialog::AcceptSave);
}

Prompts::Prompts(Prompter& prompter, OpenDialogCounter& openDialogs, const MessageTexts& texts, QWidget* owner)
    : prompter_(&prompter), openDialogs_(openDialogs), texts_(texts), owner_(owner) {}

BoxAnswer Prompts::MessageBox(const QString& text, const QString& caption, BoxButtons buttons, MessageIcon icon) {
    OpenDialogScope counted(openDialogs_);
    return prompter_->MessageBox(owner_, text, caption, buttons, icon);
}

BoxAnswer Prompts::Box(std::string_view section, std::string_view key, MessageIcon icon, BoxButtons buttons) {
    // Without a section the key is the text itself (a message the language file does not carry).
    const QString text = section.empty() ? QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()))
                                         : Text(section, key);
    return MessageBox(text, Caption(icon), buttons, icon);
}

QString Prompts::Text(std::string_view section, std::string_view key) const {
    return QString::fromStdString(texts_.Text(section, key));
}

QString Prompts::Caption(MessageIcon icon) const { return QString::fromStdString(texts_.Caption(icon)); }

QStringList FiltersFromPairs(std::string_view pairs) {
    QStringList parts = QString::fromUtf8(pairs.data(), static_cast<qsizetype>(pairs.size())).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads the patterns from the parentheses; give it the pattern list itself.
        QString name = parts[i];
        int open = name.indexOf(u'(');
        QString shown = open >= 0 ? name.left(open).trimmed() : name.trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << shown + QStringLiteral(" (") + patterns.trimmed() + u')';
    }
    return filters;
}

}  // namespace kravelo
