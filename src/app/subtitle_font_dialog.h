#pragma once
// The two subtitle-font commands of the Tools menu (the full-screen font and the windowed font)
// and their font dialog. Apply previews the dialog's font on the subtitle windows; OK keeps it
// and stores it with the settings; Cancel gives back the font that was in effect before.

#include <QObject>
#include <memory>

#include "ops/dialogs/counted_dialog.h"
#include "player/subtitle_windows.h"

class QFontDialog;

namespace kravelo {

class MainWindow;
class MovieSideController;

class TFormSubtitleFont : public CountedDialog {
    Q_OBJECT
public:
    TFormSubtitleFont(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent);

    void SetSubtitleFont(const SubtitleFont& font);
    // The font as chosen, its size kept within 6..100.
    SubtitleFont ChosenFont() const;
    void SetColor(const QColor& color);

    QFontDialog* FontChooser;
    QPushButton* ButtonColor;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;
    QPushButton* ButtonApply;

signals:
    void Applied();

private:
    QColor color_ = Qt::white;
};

class SubtitleFontCommands : public QObject {
    Q_OBJECT
public:
    SubtitleFontCommands(MainWindow& window, MovieSideController& movie);

    // The font command: `fullScreen` chooses the full-screen font, otherwise the windowed one.
    void Run(bool fullScreen);
    TFormSubtitleFont& Dialog() { return *dialog_; }

private:
    void ShowSample(bool fullScreen);

    MainWindow& window_;
    MovieSideController& movie_;
    // Without a parent: its texts come from its own language section, not the window's.
    std::unique_ptr<TFormSubtitleFont> dialog_;
};

}  // namespace kravelo
