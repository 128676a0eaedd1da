#pragma once
// Shared pieces of the parameter dialogs of the document commands (and the other secondary forms):
// a dialog that counts itself in OpenDialogCount while shown and centres itself on the screen,
// the standard OK/Anuluj buttons (Tag 1 and 2, so the language file's StdButtons apply), and a
// clickable label that turns blue under the mouse.

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

class QLineEdit;

namespace kravelo {

class OpenDialogCounter;
class Prompts;

class CountedDialog : public QDialog {
    Q_OBJECT
public:
    CountedDialog(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent);

    // The "OK" (default, Tag 1) and "Anuluj" (cancel, Tag 2) buttons, named Button1 and Button2
    // unless other names are given.
    QPushButton* MakeOkButton(const char* name = "Button1");
    QPushButton* MakeCancelButton(const char* name = "Button2");
    // The two buttons side by side at the right of a row.
    static QHBoxLayout* ButtonRow(QPushButton* ok, QPushButton* cancel);
    // Lays out a seconds and a frames field in `group` under the labels "&Sekund:" and
    // "&Klatek:" (named Label1 and Label2, returned through the last two arguments); both fields
    // get the hint.
    static void SecondsFramesFields(QWidget* group, QLineEdit* seconds, QLineEdit* frames, const QString& hint,
                                    QLabel*& label1, QLabel*& label2);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void CenterOnScreen();

    OpenDialogCounter& openDialogs_;
    Prompts& prompts_;

private:
    bool counted_ = false;
};

// Builders of a dialog's named controls (object names are the language files' keys).
template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}
// A line edit with its initial text and its length limit.
QLineEdit* Edit(QWidget* parent, const char* name, const char* text, int maxLength);
QLabel* Label(QWidget* parent, const char* name, const char* text);

// A label that can be clicked (hand cursor), drawn blue while the mouse is over it.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetColor(Qt::GlobalColor color);
};

}  // namespace kravelo
