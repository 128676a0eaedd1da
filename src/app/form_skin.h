#pragma once
// The skin chooser TFormSkin ("Skóra") and the skin commands: the menu item "&Skóra...", the
// skin put on at start from the settings with the tracker widths of [TrackerWidth], and the
// widths written back from the bars before every save. The dialog previews every choice half
// a second after it is made; Anuluj puts the stored skin back.
//
//     SkinCommands skins(window, *formMP, skinsFolder);   // registers Skra1
//     skins.Targets().fullScreenBackground = panel->ImageBackground;   // a strip that comes later
//     skins.ApplyStoredSkin();

#include <QObject>
#include <QString>
#include <functional>

#include "ops/dialogs/counted_dialog.h"
#include "player/skin.h"

class QLineEdit;
class QListWidget;
class QSlider;
class QTimer;

namespace kravelo {

class MainWindow;
class TFormMP;

class TFormSkin : public CountedDialog {
    Q_OBJECT
public:
    TFormSkin(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent = nullptr);

    // The skins/ folder the list is read from.
    QString skinsFolder;
    // Whether the editor header shows a skin now (without one the list starts on "no skin").
    std::function<bool()> skinShown;
    // The preview: called by Timer1 half a second after the last change.
    std::function<void()> preview;

    // Before showing: the stored brightness, skin name and the bars' tracker widths.
    void Prepare(const SkinBrightness& brightness, const QString& skinName, int videoTracker, int settingsTracker);

    SkinBrightness Brightness() const;
    // "without" or the chosen file's full path.
    QString SkinName() const { return name_; }
    int VideoTracker() const;
    int SettingsTracker() const;

    QListWidget* ListBox1;
    QLabel* LabelSkinName;
    QLineEdit* EditskinFileName;
    QSlider* TrackBarW;
    QSlider* TrackBarWT;
    QSlider* TrackBarF;
    QSlider* TrackBarFT;
    QLabel* LabelW;  // the sliders' values with "%"
    QLabel* LabelWT;
    QLabel* LabelF;
    QLabel* LabelFT;
    QLabel* ImageW;  // previews of the four backgrounds
    QLabel* ImageWT;
    QLabel* ImageF;
    QLabel* ImageFT;
    QLabel* LabelTrV;
    QLineEdit* EditTrV;
    QLabel* LabelTrS;
    QLineEdit* EditTrS;
    QPushButton* ButtonDefault;
    QPushButton* Button1;
    QPushButton* Button2;
    QTimer* Timer1;

    // Both tracker widths must be whole numbers from 5 to 40.
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillList();
    void Select(int row);
    void BrightnessChanged();

    QString name_;
};

class SkinCommands : public QObject {
    Q_OBJECT
public:
    // Registers "&Skóra..." and takes the video window's strip and bars as targets; the tool bar
    // and the editor header join when the settings are loaded at start, when the skin is put on.
    SkinCommands(MainWindow& window, TFormMP& video, QString skinsFolder, QObject* parent = nullptr);

    // The parts a skin goes onto; a strip made later adds itself here, then ApplyStoredSkin.
    SkinTargets& Targets() { return targets_; }
    const SkinImages& Images() const { return images_; }
    TFormSkin& Dialog() { return *dialog_; }

    // The skin of the settings with their brightness; a damaged file is reported (at once, or
    // from the event loop when `reportLater`) and the look stays as it was.
    void ApplyStoredSkin(bool reportLater = false);
    // The skin dialog: on OK the choice is stored and applied with the tracker widths; otherwise
    // the stored skin is put back.
    void SkinCommand();

private:
    // Applies a skin; reports a damaged file. False when it was damaged.
    bool Apply(const std::string& fileName, const SkinBrightness& brightness, bool reportLater = false);
    SkinBrightness StoredBrightness() const;

    MainWindow& window_;
    TFormMP& video_;
    TFormSkin* dialog_;
    SkinTargets targets_;
    SkinImages images_;
    QPixmap tracker_;
};

// The skins/ folder: the program folder's, else the installed one.
QString SkinsFolder(const std::string& programFolder, const std::string& shareFolder);

}  // namespace kravelo
