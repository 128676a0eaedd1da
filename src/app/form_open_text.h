#pragma once
// The subtitle chooser TFormOpenText: picks one of the language versions of a subtitle file
// (film.txt, film_en.txt, film_pl.txt: the files matching film*.txt in its folder). One match is
// taken without asking; several are listed sorted by name with their sizes, and the dialog is
// shown through the prompt seam, so tests answer it like any other dialog.
//
//     TFormOpenText chooser(language, openDialogs, prompts, mainWindow);
//     movie.chooseSubtitleVersion = [&](const QString& p) { return chooser.ChooseSubtitleVersion(p); };

#include <QString>

#include "core/subtitle_candidate.h"
#include "ops/dialogs/counted_dialog.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kravelo {

class Language;

class TFormOpenText : public CountedDialog {
    Q_OBJECT
public:
    TFormOpenText(Language& language, OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // The version of `path` to open: the only match, or the row the user confirmed; empty when
    // nothing matches or the user cancelled.
    QString ChooseSubtitleVersion(const QString& path);

    // Controls, by the names the language files use.
    QTreeWidget* ListViewFiles;
    QLabel* LabelDir;
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // Anuluj

protected:
    void showEvent(QShowEvent* event) override;

private:
    FileProbe probe_ = RealFileProbe();
};

}  // namespace kravelo
