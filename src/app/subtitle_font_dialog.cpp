#include "app/subtitle_font_dialog.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "app/movie_side.h"
#include "player/display_timer.h"
#include "player/form_mp.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

namespace {

FontSettings ToSettings(const SubtitleFont& f, const FontSettings& before) {
    FontSettings s = before;
    s.Name = S(f.font.family());
    s.Size = f.font.pointSize();
    s.Color = f.color.red() | (f.color.green() << 8) | (f.color.blue() << 16);
    s.Bold = f.font.bold();
    s.Italic = f.font.italic();
    s.Underline = f.font.underline();
    s.StrikeOut = f.font.strikeOut();
    return s;
}

}  // namespace

TFormSubtitleFont::TFormSubtitleFont(OpenDialogCounter& openDialogs, Prompts& prompts, QWidget* parent)
    : CountedDialog(openDialogs, prompts, parent) {
    setObjectName(QStringLiteral("FormSubtitleFont"));
    setWindowTitle(QStringLiteral("Czcionka"));
    FontChooser = new QFontDialog(this);
    FontChooser->setObjectName(QStringLiteral("FontChooser"));
    FontChooser->setWindowFlags(Qt::Widget);
    FontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    ButtonColor = new QPushButton(QStringLiteral("&Kolor..."), this);
    ButtonColor->setObjectName(QStringLiteral("ButtonColor"));
    ButtonOK = MakeOkButton("ButtonOK");
    ButtonCancel = MakeCancelButton("ButtonCancel");
    ButtonApply = new QPushButton(QStringLiteral("&Zastosuj"), this);
    ButtonApply->setObjectName(QStringLiteral("ButtonApply"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonColor);
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    buttons->addWidget(ButtonApply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FontChooser);
    layout->addLayout(buttons);
    connect(ButtonApply, &QPushButton::clicked, this, &TFormSubtitleFont::Applied);
    connect(ButtonColor, &QPushButton::clicked, this, [this] {
        const QColor c = QColorDialog::getColor(color_, this);
        if (c.isValid()) SetColor(c);
    });
}

void TFormSubtitleFont::SetColor(const QColor& color) {
    color_ = color;
    ButtonColor->setStyleSheet(QStringLiteral("QPushButton { border-left: 12px solid %1; }").arg(color.name()));
}

void TFormSubtitleFont::SetSubtitleFont(const SubtitleFont& font) {
    FontChooser->setCurrentFont(font.font);
    SetColor(font.color);
}

SubtitleFont TFormSubtitleFont::ChosenFont() const {
    SubtitleFont f;
    f.font = FontChooser->currentFont();
    f.font.setPointSize(std::clamp(f.font.pointSize() > 0 ? f.font.pointSize() : 22, 6, 100));
    f.color = color_;
    return f;
}

SubtitleFontCommands::SubtitleFontCommands(MainWindow& window, MovieSideController& movie)
    : QObject(&movie), window_(window), movie_(movie) {
    dialog_ = std::make_unique<TFormSubtitleFont>(window_.OpenDialogs(), window_.GetPrompts(), nullptr);
    window_.GetLanguage().AddForm(dialog_.get());
    CommandTable& t = window_.Commands();
    t.Add(cmd::kFontFullScreen, "&Czcionka napisów (pełny ekran)...", {}, [this] { Run(true); });
    t.Add(cmd::kFontWindow, "Czcionka &napisów (w oknie)...", {}, [this] { Run(false); });
}

void SubtitleFontCommands::ShowSample(bool fullScreen) {
    TFormMP* mp = movie_.FormMP();
    SubtitleWindows* subs = mp->Subtitles;
    const Settings& s = window_.GetSettings();
    subs->ApplySubtitleFonts(fullScreen, fullScreen ? s.SubtitlesElevationFS : s.SubtitlesElevation, false);
    subs->RenderSubtitle(window_.GetPrompts().Text("ExampleText", fullScreen ? "TestTextFS" : "TestTextW"),
                         s.SubtitleAdjust, false, s.LetItalic);
    subs->SetSubtitleWindowsVisible(true, false);
}

void SubtitleFontCommands::Run(bool fullScreen) {
    Settings& s = window_.GetSettings();
    TFormMP* mp = movie_.FormMP();
    SubtitleWindows* subs = mp->Subtitles;
    SubtitleFont& label = fullScreen ? subs->LabelFS : subs->LabelW;
    const SubtitleFont before = label;

    const bool displayWasOn = movie_.DisplayOn();
    if (displayWasOn) movie_.DisplaySwitch();
    dialog_->SetSubtitleFont(before);
    ShowSample(fullScreen);
    QMetaObject::Connection apply = connect(dialog_.get(), &TFormSubtitleFont::Applied, this, [&] {
        label = dialog_->ChosenFont();
        ShowSample(fullScreen);
    });
    const bool accepted = window_.GetPrompts().ExecDialog(*dialog_) == QDialog::Accepted;
    disconnect(apply);
    subs->RenderSubtitle(QString(), false, false, false);
    if (accepted) {
        label = dialog_->ChosenFont();
        FontSettings& stored = fullScreen ? s.FontFullScreen : s.FontWindow;
        stored = ToSettings(label, stored);
    } else {
        // Apply only previewed: the font in effect before the dialog stays.
        label = before;
    }
    subs->SetSubtitleWindowsVisible(false, false);
    if (displayWasOn) movie_.DisplaySwitch();
    s.SystemCrashed = true;
    window_.SaveSettingsNow();
    // The current mode's appearance again.
    mp->ApplySubtitleSettings(subs->LabelFS, subs->LabelW, s.SubtitlesElevation, s.SubtitlesElevationFS);
}

}  // namespace kravelo
