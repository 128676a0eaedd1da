#pragma once
// TFormUstawienia, "Opcje": the program's options on five pages (editing, subtitles, movie,
// full screen, file associations) chosen from the page list on the left. The window fills it
// from the settings, shows it, and on OK stores it back and applies it:
//
//     options.Fill(settings, editorFontSize);
//     if (prompts.ExecDialog(options) == QDialog::Accepted) options.Store(settings);
//
// OK checks every number first (a warning, the field focused, the dialog stays open), then makes
// the association changes of the last page; a change the desktop refuses is reported in one
// warning. Anuluj changes nothing.

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/display_modes.h"
#include "core/option_numbers.h"
#include "ops/dialogs/counted_dialog.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace kravelo {

class FileAssociations;
struct Settings;

// The title strip over the page: the page's name on a grey gradient, darker at the left. Its
// text follows the page list, so it is no caption of the language files.
class SubjectLabel : public QWidget {
    Q_OBJECT
public:
    explicit SubjectLabel(QWidget* parent);
    void setText(const QString& text);
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

class TFormUstawienia : public CountedDialog {
    Q_OBJECT
public:
    TFormUstawienia(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // Where the association page reads and writes; without one its boxes are disabled.
    void SetFileAssociations(FileAssociations* associations);
    // The two resolution lists: one "800x600" item per mode, in the given order.
    void SetDisplayModes(const std::vector<DisplayMode>& modes);
    // The folder browser: title and start folder in, the chosen folder out (empty: none). A
    // QFileDialog unless a test replaces it.
    std::function<QString(const QString& title, const QString& folder)> chooseFolder;

    // Copies the settings into the controls; the editor font size is the editor's.
    void Fill(const Settings& settings, int editorFontSize);
    // After OK: every control into its setting (the numbers as OK read them).
    void Store(Settings& settings) const;
    const OptionNumbers& Numbers() const { return numbers_; }

    // Shows page 0..4 under the title.
    void ShowPage(int index);
    int Page() const { return page_; }

    void accept() override;

    QListWidget* ListBox1;
    SubjectLabel* LabelSubject;
    std::array<QFrame*, 5> Pages{};
    QFrame* PanelEdit;
    QFrame* PanelSubtitles;
    QFrame* PanelMovie;
    QFrame* PanelRes;
    QFrame* PanelAssociations;
    QPushButton* Button1;
    QPushButton* Button2;

    // Page 0.
    QLabel* LabelSzybkoscReakcji;
    QLineEdit* EditSzybkoscReakcji;
    QCheckBox* CheckBoxKoncowaReakcja;
    QCheckBox* CheckBoxReakcjaPrzyOpoznieniu;
    QLabel* LabelEditorFontSize;
    QLineEdit* EditEditorFontSize;
    QCheckBox* CheckBoxLeveDiff;
    QCheckBox* CheckBoxKursorWDol;
    QCheckBox* CheckBoxOgniskoNaRichEdit;
    QCheckBox* CheckBoxCreateBackupFile;
    // Page 1.
    QCheckBox* CheckBoxAutoSub;
    QLabel* LabelKatalogZNapisami;
    QLineEdit* EditKatalogZNapisami;
    QToolButton* Button3;
    QCheckBox* CheckBoxAutoSubOpen;
    QCheckBox* CheckBoxSubVer;
    QLabel* LabelPodwyzszenieNapisow;
    QLineEdit* EditPodwyzszenieNapisow;
    QLabel* LabelPodwyzszenieNapisowFS;
    QLineEdit* EditPodwyzszenieNapisowFS;
    QLabel* LabelOpoznienieWlNap;
    QLineEdit* EditOpoznienieWlNap;
    QCheckBox* CheckBoxDostosujWiersze;
    QCheckBox* CheckBoxItalic;
    QCheckBox* CheckBoxNotSorted;
    // Page 2.
    QCheckBox* CheckBoxAutoPlay;
    QCheckBox* CheckBoxAutoFSCommandLine;
    QCheckBox* CheckBoxAutoFS;
    QCheckBox* CheckBoxLastPos;
    QCheckBox* CheckBoxResumeWhenCrash;
    QCheckBox* CheckBoxNextVolCheck;
    QCheckBox* CheckBoxAuto100Perc;
    QLabel* LabelBackward;
    QLineEdit* EditBackward;
    QLabel* LabelForward;
    QLineEdit* EditForward;
    QCheckBox* CheckBoxUseIndividualIni;
    QLineEdit* EditLen;
    QLabel* LabelLen;
    // Page 3.
    QGroupBox* GroupBoxRes;
    QRadioButton* RadioButtonDontChange;
    QRadioButton* RadioButtonChangeTo;
    QComboBox* ComboBoxRes;
    QRadioButton* RadioButtonAutoChange;
    QCheckBox* CheckBoxNoMoreRes;
    QComboBox* ComboBoxNoMoreRes;
    QGroupBox* GroupBoxCol;
    QRadioButton* RadioButtonColDontChange;
    QRadioButton* RadioButtonColMaxBpp;
    QGroupBox* GroupBoxMBP;
    QRadioButton* RadioButtonMBPDontDisplay;
    QRadioButton* RadioButtonMBPCentered;
    QRadioButton* RadioButtonMBPTopRight;
    // Page 4: one box per extension of AssociationExtensions(), in its order.
    std::vector<QCheckBox*> AssociationBoxes;
    QPushButton* ButtonAll;
    QPushButton* ButtonNone;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildEditPage();
    void BuildSubtitlesPage();
    void BuildMoviePage();
    void BuildResolutionPage();
    void BuildAssociationsPage();
    void FollowSwitches();
    void BrowseFolder();
    void ReadAssociations();
    void ChangeAssociations();
    QLineEdit* FieldOf(OptionField field) const;

    FileAssociations* associations_ = nullptr;
    std::vector<bool> associatedAtShow_;
    OptionNumbers numbers_;
    QStackedWidget* pageStack_ = nullptr;
    int page_ = 0;
};

}  // namespace kravelo
