// The options dialog's values: filled from the settings, checked on OK, stored back; the
// association state read when the dialog shows and changed on OK.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>

#include "app/form_options.h"
#include "core/settings.h"
#include "core/text_util.h"
#include "platform/file_associations.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"

namespace kravelo {
namespace {

QString Number(double value) { return Q(FormatGeneral(value)); }

QString SizeText(int width, int height) { return QStringLiteral("%1x%2").arg(width).arg(height); }

// The item showing width x height, or none.
void SelectSize(QComboBox* combo, int width, int height) {
    combo->setCurrentIndex(combo->findText(SizeText(width, height)));
}

// Width and height of the chosen item; false when none is chosen.
bool ChosenSize(const QComboBox* combo, int& width, int& height) {
    const QString text = combo->currentText();
    const qsizetype x = text.indexOf(u'x');
    if (combo->currentIndex() < 0 || x < 0) return false;
    bool okW = false;
    bool okH = false;
    const int w = text.left(x).toInt(&okW);
    const int h = text.mid(x + 1).toInt(&okH);
    if (!okW || !okH) return false;
    width = w;
    height = h;
    return true;
}

}  // namespace

void TFormUstawienia::SetFileAssociations(FileAssociations* associations) {
    associations_ = associations;
    for (QCheckBox* b : AssociationBoxes) b->setEnabled(associations_ != nullptr);
    ButtonAll->setEnabled(associations_ != nullptr);
    ButtonNone->setEnabled(associations_ != nullptr);
}

void TFormUstawienia::SetDisplayModes(const std::vector<DisplayMode>& modes) {
    for (QComboBox* combo : {ComboBoxRes, ComboBoxNoMoreRes}) {
        combo->clear();
        for (const DisplayMode& m : modes) combo->addItem(SizeText(m.width, m.height));
        combo->setCurrentIndex(-1);
    }
}

void TFormUstawienia::Fill(const Settings& s, int editorFontSize) {
    // Editing.
    EditSzybkoscReakcji->setText(Number(s.ReactionSpeed));
    CheckBoxKoncowaReakcja->setChecked(s.ReactionForEndFrameToo);
    CheckBoxReakcjaPrzyOpoznieniu->setChecked(s.ReactionForDelayCheckToo);
    EditEditorFontSize->setText(QString::number(editorFontSize));
    CheckBoxLeveDiff->setChecked(s.LeaveFramesDifference);
    CheckBoxKursorWDol->setChecked(s.AfterInsertCursorDown);
    CheckBoxOgniskoNaRichEdit->setChecked(s.FocusNaPoleEdycyjne);
    CheckBoxCreateBackupFile->setChecked(s.CreateBackupFile);
    // Subtitles.
    CheckBoxAutoSub->setChecked(s.AutoShowSubtitles);
    EditKatalogZNapisami->setText(Q(s.SubtitlesFolder));
    CheckBoxAutoSubOpen->setChecked(s.AutoOpenSubtitle);
    CheckBoxSubVer->setChecked(s.CheckForOtherSub);
    EditPodwyzszenieNapisow->setText(QString::number(s.SubtitlesElevation));
    EditPodwyzszenieNapisowFS->setText(QString::number(s.SubtitlesElevationFS));
    EditOpoznienieWlNap->setText(QString::number(s.DelaySubtitleOn));
    CheckBoxDostosujWiersze->setChecked(s.SubtitleAdjust);
    CheckBoxItalic->setChecked(s.LetItalic);
    CheckBoxNotSorted->setChecked(s.InfoNotSortSub);
    // Movie.
    CheckBoxAutoPlay->setChecked(s.AutoPlayMovie);
    CheckBoxAutoFSCommandLine->setChecked(s.AutoFullScreen);
    CheckBoxAutoFS->setChecked(s.AutoFullScreenMenu);
    CheckBoxLastPos->setChecked(s.RestorePosition);
    CheckBoxResumeWhenCrash->setChecked(s.ResumeWhenCrashed);
    CheckBoxNextVolCheck->setChecked(s.CheckNextVol);
    CheckBoxAuto100Perc->setChecked(s.Auto100);
    EditBackward->setText(Number(s.CustomerBackward));
    EditForward->setText(Number(s.CustomerForward));
    CheckBoxUseIndividualIni->setChecked(s.UseIndividualMovieIniFile);
    EditLen->setText(QString::number(s.MinLengthToIndividualMovieIniFile));
    // Full screen.
    (s.KindOfResChange == 1   ? RadioButtonChangeTo
     : s.KindOfResChange == 2 ? RadioButtonAutoChange
                              : RadioButtonDontChange)
        ->setChecked(true);
    SelectSize(ComboBoxRes, s.ChangeXRes, s.ChangeYRes);
    CheckBoxNoMoreRes->setChecked(s.NoMoreThen);
    SelectSize(ComboBoxNoMoreRes, s.NoMoreXRes, s.NoMoreYRes);
    (s.KindOfColChange == 1 ? RadioButtonColMaxBpp : RadioButtonColDontChange)->setChecked(true);
    (s.MessageBoxPos == 0   ? RadioButtonMBPDontDisplay
     : s.MessageBoxPos == 1 ? RadioButtonMBPCentered
                            : RadioButtonMBPTopRight)
        ->setChecked(true);
    FollowSwitches();
}

void TFormUstawienia::Store(Settings& s) const {
    const OptionNumbers& n = numbers_;
    // Editing.
    s.ReactionSpeed = n.reactionSpeed;
    s.ReactionForEndFrameToo = CheckBoxKoncowaReakcja->isChecked();
    s.ReactionForDelayCheckToo = CheckBoxReakcjaPrzyOpoznieniu->isChecked();
    s.EditorFontSize = n.editorFontSize;
    s.LeaveFramesDifference = CheckBoxLeveDiff->isChecked();
    s.AfterInsertCursorDown = CheckBoxKursorWDol->isChecked();
    s.FocusNaPoleEdycyjne = CheckBoxOgniskoNaRichEdit->isChecked();
    s.CreateBackupFile = CheckBoxCreateBackupFile->isChecked();
    // Subtitles.
    s.AutoShowSubtitles = CheckBoxAutoSub->isChecked();
    s.SubtitlesFolder = S(EditKatalogZNapisami->text());
    s.AutoOpenSubtitle = CheckBoxAutoSubOpen->isChecked();
    s.CheckForOtherSub = CheckBoxSubVer->isChecked();
    s.SubtitlesElevation = n.elevation;
    s.SubtitlesElevationFS = n.elevationFS;
    s.DelaySubtitleOn = n.delay;
    s.SubtitleAdjust = CheckBoxDostosujWiersze->isChecked();
    s.LetItalic = CheckBoxItalic->isChecked();
    s.InfoNotSortSub = CheckBoxNotSorted->isChecked();
    // Movie.
    s.AutoPlayMovie = CheckBoxAutoPlay->isChecked();
    s.AutoFullScreen = CheckBoxAutoFSCommandLine->isChecked();
    s.AutoFullScreenMenu = CheckBoxAutoFS->isChecked();
    s.RestorePosition = CheckBoxLastPos->isChecked();
    s.ResumeWhenCrashed = CheckBoxResumeWhenCrash->isChecked();
    s.CheckNextVol = CheckBoxNextVolCheck->isChecked();
    s.Auto100 = CheckBoxAuto100Perc->isChecked();
    s.CustomerBackward = n.backward;
    s.CustomerForward = n.forward;
    s.UseIndividualMovieIniFile = CheckBoxUseIndividualIni->isChecked();
    if (n.minLength) s.MinLengthToIndividualMovieIniFile = *n.minLength;
    // Full screen: the automatic change wins over the fixed size.
    s.MessageBoxPos = RadioButtonMBPDontDisplay->isChecked() ? 0 : RadioButtonMBPCentered->isChecked() ? 1 : 2;
    s.KindOfResChange = RadioButtonAutoChange->isChecked() ? 2 : RadioButtonChangeTo->isChecked() ? 1 : 0;
    ChosenSize(ComboBoxRes, s.ChangeXRes, s.ChangeYRes);
    s.NoMoreThen = CheckBoxNoMoreRes->isChecked();
    ChosenSize(ComboBoxNoMoreRes, s.NoMoreXRes, s.NoMoreYRes);
    s.KindOfColChange = RadioButtonColMaxBpp->isChecked() ? 1 : 0;
}

QLineEdit* TFormUstawienia::FieldOf(OptionField field) const {
    switch (field) {
        case OptionField::EditorFontSize: return EditEditorFontSize;
        case OptionField::ReactionSpeed: return EditSzybkoscReakcji;
        case OptionField::Elevation: return EditPodwyzszenieNapisow;
        case OptionField::ElevationFS: return EditPodwyzszenieNapisowFS;
        case OptionField::Delay: return EditOpoznienieWlNap;
        case OptionField::Backward: return EditBackward;
        case OptionField::Forward: return EditForward;
        case OptionField::MinLength: return EditLen;
    }
    return nullptr;
}

void TFormUstawienia::accept() {
    OptionTexts texts;
    texts.editorFontSize = S(EditEditorFontSize->text());
    texts.reactionSpeed = S(EditSzybkoscReakcji->text());
    texts.elevation = S(EditPodwyzszenieNapisow->text());
    texts.elevationFS = S(EditPodwyzszenieNapisowFS->text());
    texts.delay = S(EditOpoznienieWlNap->text());
    texts.backward = S(EditBackward->text());
    texts.forward = S(EditForward->text());
    texts.minLength = S(EditLen->text());
    texts.minLengthUsed = EditLen->isEnabled();
    auto result = ReadOptionNumbers(texts);
    if (const auto* problem = std::get_if<OptionProblem>(&result)) {
        prompts_.WarningBox(problem->message.section, problem->message.key);
        QLineEdit* field = FieldOf(problem->field);
        for (std::size_t i = 0; i < Pages.size(); ++i)
            if (Pages[i]->isAncestorOf(field)) ShowPage(static_cast<int>(i));
        field->setFocus();
        field->selectAll();
        return;
    }
    numbers_ = std::get<OptionNumbers>(result);
    ChangeAssociations();
    CountedDialog::accept();
}

// --- Associations

void TFormUstawienia::showEvent(QShowEvent* event) {
    CountedDialog::showEvent(event);
    if (!event->spontaneous()) ReadAssociations();
}

void TFormUstawienia::ReadAssociations() {
    associatedAtShow_.assign(AssociationBoxes.size(), false);
    if (!associations_) return;
    const std::vector<std::string>& extensions = AssociationExtensions();
    for (std::size_t i = 0; i < AssociationBoxes.size(); ++i) {
        associatedAtShow_[i] = associations_->IsAssociated(extensions[i]);
        AssociationBoxes[i]->setChecked(associatedAtShow_[i]);
    }
}

void TFormUstawienia::ChangeAssociations() {
    if (!associations_) return;
    const std::vector<std::string>& extensions = AssociationExtensions();
    QStringList failures;
    for (std::size_t i = 0; i < AssociationBoxes.size() && i < associatedAtShow_.size(); ++i) {
        const bool ticked = AssociationBoxes[i]->isChecked();
        if (ticked == associatedAtShow_[i]) continue;
        std::string error;
        const bool done = ticked ? associations_->Associate(extensions[i], &error)
                                 : associations_->Disassociate(extensions[i], &error);
        if (done)
            associatedAtShow_[i] = ticked;
        else
            failures << QStringLiteral("%1: %2").arg(Q(extensions[i]), Q(error));
    }
    if (!failures.isEmpty())
        prompts_.MessageBox(prompts_.Text("FormUstawienia", "AssociationFailed") + QStringLiteral("\n\n") +
                                failures.join(u'\n'),
                            prompts_.Caption(MessageIcon::Warning), BoxButtons::Ok, MessageIcon::Warning);
}

}  // namespace kravelo
