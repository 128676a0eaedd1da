// Main window: its commands in the command table, the menus and tool bar built from the table,
// the active format and the whole-document commands that run in the operation frame.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>

#include "app/form_language.h"
#include "app/main_window.h"
#include "app/movie_port.h"
#include "core/convert.h"
#include "core/text_util.h"
#include "ops/dialogs/convert_dialogs.h"
#include "ops/dialogs/frame_rate_dialogs.h"
#include "ops/dialogs/shift_dialog.h"
#include "ops/frame_rate.h"
#include "ops/shift.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

// The window's own commands: object name, caption, shortcut, handler, enabled rule.
void MainWindow::RegisterCommands() {
    using K = QKeySequence;
    const auto ctrl = Qt::CTRL;
    CommandTable& t = *commands_;
    auto add = [&t](const char* name, const char* caption, QList<QKeySequence> keys, std::function<void()> run,
                    unsigned needs = kNeedsNothing) { return t.Add(name, caption, std::move(keys), std::move(run), needs); };
    // New, close, open, append, save, save as, exit.
    add(cmd::kNew, "Nowy", {K(ctrl | Qt::Key_N)}, [this] { CloseDocument(); }, kNeedsEditor);
    add(cmd::kNewPopup, "&Nowy", {}, [this] { CloseDocument(); }, kNeedsEditor);
    add(cmd::kClose, "Zamknij", {K(ctrl | Qt::Key_F4)}, [this] { CloseDocument(); });
    add(cmd::kOpen, "Otwórz plik napisów", {K(ctrl | Qt::SHIFT | Qt::Key_O)}, [this] { OpenCommand(); });
    add(cmd::kOpenPopup, "&Otwórz plik z napisami...", {}, [this] { OpenCommand(); });
    add(cmd::kAppend, "Dodaj na koniec pliku napisów", {}, [this] { AppendCommand(); }, kNeedsEditor);
    Command save;
    save.name = cmd::kSave;
    save.caption = QStringLiteral("Zapisz");
    save.shortcuts = {K(ctrl | Qt::Key_S)};
    save.run = [this] { SaveDocument(); };
    save.needs = kNeedsEditor;
    save.enabled = [this] { return session_->Modified(); };
    t.Add(std::move(save));
    add(cmd::kSaveAs, "Zapisz jako", {K(ctrl | Qt::SHIFT | Qt::Key_S)}, [this] { SaveDocumentAs(); });
    add(cmd::kExit, "Za&kończ", {K(Qt::ALT | Qt::Key_F4)}, [this] {
        if (!fullScreen_) close();
    });
    // Undo follows the editor; a whole-document command clears it.
    Command undo;
    undo.name = cmd::kUndo;
    undo.caption = QStringLiteral("&Cofnij");
    undo.shortcuts = {K(ctrl | Qt::Key_Z)};
    undo.run = [this] { editor_->undo(); };
    undo.needs = kNeedsEditor;
    undo.enabled = [this] { return undoAvailable_; };
    t.Add(std::move(undo));
    // Time shift and the two nudges; frame rates; conversion and the active format
    // (Ctrl+~: the key left of 1, with or without Shift).
    add(cmd::kShift, "&Przesuń czas napisów...", {K(ctrl | Qt::Key_D)}, [this] { TimeShiftCommand(); }, kNeedsEditor);
    add(cmd::kNudgeForward, "&Dodaj ćwierć sekundy do czasu napisu", {K(ctrl | Qt::Key_Period)},
        [this] { NudgeCommand(true); }, kNeedsEditor);
    add(cmd::kNudgeBack, "Od&ejmij ćwierć sekundy od czasu napisu", {K(ctrl | Qt::Key_Comma)},
        [this] { NudgeCommand(false); }, kNeedsEditor);
    add(cmd::kChangeFrameRate, "&Zmień współczynnik FPS napisów...", {K(ctrl | Qt::Key_Q)},
        [this] { FrameRateChangeCommand(); }, kNeedsEditor);
    add(cmd::kDefaultFrameRate, "Domyślna wartość współczynnika &FPS...", {K(ctrl | Qt::SHIFT | Qt::Key_Q)},
        [this] { DefaultFrameRateCommand(); });
    add(cmd::kConvert, "&Konwertuj format napisów...", {K(ctrl | Qt::Key_T)}, [this] { ConvertCommand(); },
        kNeedsEditor);
    add(cmd::kActiveFormat, "Domyślny format napisów MPL2/Klatkowy",
        {K(ctrl | Qt::Key_QuoteLeft), K(ctrl | Qt::Key_AsciiTilde)}, [this] { ActiveFormatCommand(); }, kNeedsEditor);
    add(cmd::kLanguage, "Język (Language)...", {}, [this] {
        formLanguage_->SetCurrentFile(settings_.LanguageFile);
        prompts_.ExecDialog(*formLanguage_);
    });
    add(cmd::kOptions, "&Ustawienia programu...", {}, [this] { OptionsCommand(); });
    add(cmd::kStatistics, "&Statystyki...", {}, [this] { StatisticsCommand(); });
    // The help contents, the FAQ pages and the about box.
    add(cmd::kHelpContents, "&Tematy pomocy", {K(Qt::Key_F1)}, [this] { OpenHelp(QStringLiteral("Form1")); });
    add(cmd::kFaqProgram, "FAQ - Problemy z &programem", {}, [this] { OpenFaq(QStringLiteral("faq_program.html")); });
    add(cmd::kFaqEditing, "FAQ - Edycja &napisów", {}, [this] { OpenFaq(QStringLiteral("faq_edycja.html")); });
    add(cmd::kAbout, "&Informacje o programie...", {}, [this] { AboutCommand(); });
    // The recent-file items.
    for (int i = 0; i < 5; ++i) {
        static const std::string movieNames[] = {"reopen1", "reopen2", "reopen3", "reopen4", "reopen5"};
        static const std::string txtNames[] = {"reopentxt1", "reopentxt2", "reopentxt3", "reopentxt4", "reopentxt5"};
        const auto k = static_cast<std::size_t>(i);
        reopenMovie_[k] = add(movieNames[k].c_str(), "", {}, [this, i] { OpenRecentMovie(i); });
        reopenTxt_[k] = add(txtNames[k].c_str(), "", {}, [this, i] { ReopenSubtitle(i); });
    }
    RegisterEditCommands();
    RegisterSearchCommands();
}

void MainWindow::BuildMenus() {
    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    const CommandTable& t = *commands_;

    QMenu* file = menu("Plik1", QStringLiteral("&Plik"));
    t.FillMenu(file, {cmd::kOpenMovie, cmd::kCloseMovie});
    if (t.Has(cmd::kOpenMovie)) t.FillMenu(file, {"-N1"});
    t.FillMenu(file, {cmd::kNew, cmd::kOpen, cmd::kAppend, cmd::kSave, cmd::kSaveAs, cmd::kClose, "-N3"});
    for (QAction* a : reopenMovie_) file->addAction(a);
    separatorN4_ = file->addSeparator();
    separatorN4_->setObjectName(QStringLiteral("N4"));
    separatorN21_ = file->addSeparator();
    separatorN21_->setObjectName(QStringLiteral("N21"));
    for (QAction* a : reopenTxt_) file->addAction(a);
    t.FillMenu(file, {"-N5", cmd::kExit});

    t.FillMenu(menu("Edycja1", QStringLiteral("&Edycja")),
               {cmd::kUndo, "-", cmd::kCut, cmd::kCopy, cmd::kPaste, "-", cmd::kItalics, "-", cmd::kFindText,
                cmd::kFindNext, cmd::kReplace, "-", cmd::kFindUnsorted, cmd::kFindShortSubtitle, cmd::kFindGap});
    t.FillMenu(menu("Napisy1", QStringLiteral("N&apisy")),
               {cmd::kShift, cmd::kNudgeForward, cmd::kNudgeBack, "-", cmd::kDisplayTime, cmd::kMerge, cmd::kRepair,
                cmd::kSort, "-", cmd::kGoToSubtitle, "-", cmd::kChangeFrameRate, cmd::kConvert});
    if (t.Has(cmd::kPauseOrPlay)) {
        QMenu* movie = menu("Film1", QStringLiteral("&Film"));
        t.FillMenu(movie, {cmd::kPauseOrPlay, cmd::kStop, cmd::kPlayFromLine, "-N6", cmd::kForward5, cmd::kBack5,
                           cmd::kUserForward, cmd::kUserBack, cmd::kToStart, cmd::kToEnd, cmd::kJumpTo,
                           cmd::kChapters, "-N7", cmd::kStampStart, cmd::kStampEnd, cmd::kStampEndOtherKey,
                           cmd::kGoToLineOfPosition, "-N8", cmd::kShowSubtitles, cmd::kShutDownAfterMovie, "-",
                           cmd::kMovieProperties, cmd::kPlayerMenu});
        if (t.Has(cmd::kMeasureDelay)) {
            movie->addSeparator();
            QMenu* delay = movie->addMenu(QStringLiteral("Opóźnienie napisów"));
            delay->setObjectName(QLatin1String(cmd::kDelayMenu));
            delay->menuAction()->setObjectName(QLatin1String(cmd::kDelayMenu));
            t.FillMenu(delay, {cmd::kMeasureDelay, "-", cmd::kDelayStartPoint, cmd::kDelayEndPoint,
                               cmd::kGeometricCorrection});
        }
        if (t.Has(cmd::kSyncWithAudio)) t.FillMenu(movie, {"-", cmd::kSyncWithAudio});
        // The user-jump captions carry the current settings.
        connect(movie, &QMenu::aboutToShow, this, [this] { commands_->Refresh(); });
    }
    QMenu* view = menu(cmd::kViewMenu, QStringLiteral("&Widok"));
    t.FillMenu(view, {cmd::kShowEditor, cmd::kCompact});
    QMenu* zoom = view->addMenu(QStringLiteral("Powiększenie"));
    zoom->setObjectName(QLatin1String(cmd::kZoomMenu));
    zoom->menuAction()->setObjectName(QLatin1String(cmd::kZoomMenu));
    t.FillMenu(zoom, {cmd::kZoom50, cmd::kZoom100, cmd::kZoom200});
    if (t.Has(cmd::kFullScreen)) t.FillMenu(view, {"-", cmd::kFullScreen, cmd::kTransparentSubtitles});
    t.FillMenu(menu("Narzdzia1", QStringLiteral("&Narzędzia")),
               {cmd::kActiveFormat, cmd::kDefaultFrameRate, "-", cmd::kOptions, cmd::kStatistics, "-",
                cmd::kFontFullScreen, cmd::kFontWindow, "-", cmd::kLanguage, cmd::kSkin});
    t.FillMenu(menu("Pomoc1", QStringLiteral("Pomo&c")), {cmd::kHelpContents, "-", cmd::kFaqProgram, cmd::kFaqEditing, "-", cmd::kAbout});
    // The waveform strip joins the View menu wherever that menu stands.
    if (QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("Widok1"))) t.FillMenu(view, {"-", cmd::kWaveformStrip});

    t.FillMenu(editorMenu_, {cmd::kNewPopup, cmd::kOpenPopup, "-", cmd::kCutPopup, cmd::kCopyPopup, cmd::kPastePopup,
                             "-", cmd::kFindTextPopup, cmd::kFindNextPopup, cmd::kFindShortSubtitlePopup,
                             cmd::kFindGapPopup, cmd::kGoToSubtitlePopup});

    // All ten recent items start hidden; AddRecent* shows the filled ones.
    for (QAction* a : reopenMovie_) a->setVisible(false);
    for (QAction* a : reopenTxt_) a->setVisible(false);
    separatorN4_->setVisible(false);
    separatorN21_->setVisible(false);
}

void MainWindow::BuildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(18, 18));
    const CommandTable& t = *commands_;
    t.AddToolButton(toolBar_, "SpeedButtonOpenVideo", cmd::kOpenMovie, QStringLiteral("Otwórz plik wideo (Ctrl+O)"),
                    QStyle::SP_MediaPlay);
    t.AddToolButton(toolBar_, "SpeedButtonNew", cmd::kNew, QStringLiteral("Nowy tekst (Ctrl+N)"), QStyle::SP_FileIcon);
    t.AddToolButton(toolBar_, "SpeedButtonOpenTxt", cmd::kOpen, QStringLiteral("Otwórz plik z tekstem (Shift+Ctrl+O)"),
                    QStyle::SP_DialogOpenButton);
    t.AddToolButton(toolBar_, "SpeedButtonSave", cmd::kSave, QStringLiteral("Zapisz tekst (Ctrl+S)"),
                    QStyle::SP_DialogSaveButton);
    toolBar_->addSeparator();
    t.AddToolButton(toolBar_, "SpeedButtonKonwert", cmd::kConvert, QStringLiteral("Konwertuj format napisów (Ctrl+T)"),
                    QStyle::SP_BrowserReload);
    buttonFrmMpl_ = t.AddToolButton(toolBar_, "SpeedButtonFRM_MPL", cmd::kActiveFormat,
                                    QStringLiteral("Aktywny format napisów (Ctrl+~)"), QStyle::SP_FileDialogDetailedView);
    t.AddToolButton(toolBar_, "SpeedButtonAddFrames", cmd::kShift, QStringLiteral("Przesuń czas napisów (Ctrl+D)"),
                    QStyle::SP_MediaSeekForward);
    t.AddToolButton(toolBar_, "SpeedButtonChangeShowTime", cmd::kDisplayTime,
                    QStringLiteral("Zmień czas wyświetlania napisów (Ctrl+W)"), QStyle::SP_FileDialogInfoView);
    if (t.Has(cmd::kShowSubtitles)) {
        toolBar_->addSeparator();
        t.AddToolButton(toolBar_, "SpeedButtonShowSubTit", cmd::kShowSubtitles,
                        QStringLiteral("Wyświetlaj napisy (Shift+Ctrl+N)"), QStyle::SP_FileDialogListView);
        t.AddToolButton(toolBar_, "SpeedButtonShDown", cmd::kShutDownAfterMovie,
                        QStringLiteral("Wyłącz komputer po zakończeniu filmu"), QStyle::SP_BrowserStop);
    }
    if (t.Has(cmd::kChapters))
        t.AddToolButton(toolBar_, "SpeedButtonChapters", cmd::kChapters, QStringLiteral("Rozdziały (Shift+Ctrl+Z)"),
                        QStyle::SP_FileDialogContentsView);
    toolBar_->addSeparator();
    t.AddToolButton(toolBar_, "SpeedButtonEditorEnabled", cmd::kShowEditor, QStringLiteral("Edytor napisów (Ctrl+E)"),
                    QStyle::SP_FileDialogContentsView);
    t.AddToolButton(toolBar_, "SpeedButtonFullScreen", cmd::kFullScreen,
                    QStringLiteral("Tryb pełnoekranowy (Alt+Enter)"), QStyle::SP_TitleBarMaxButton);
}

// --- Active format

void MainWindow::SetActiveFormat(int format) {
    State().activeFormat = format;
    settings_.DefaultSubtitlesFormat = format;
    QString choice = setFormat_->ChoiceCaption(format);
    if (choice.isEmpty()) choice = QStringLiteral("NA");
    const QString caption = prompts_.Text("Form1", "ActiveSubtitlesFormat") + u' ' + choice;
    Action(cmd::kActiveFormat)->setText(caption);
    QString hint = caption + QStringLiteral(" (Ctrl+~)");
    if (qsizetype amp = hint.indexOf(u'&'); amp >= 0) hint.remove(amp, 1);
    if (buttonFrmMpl_) buttonFrmMpl_->setToolTip(hint);
}

void MainWindow::ActiveFormatCommand() {
    setFormat_->SetChosen(State().activeFormat);
    if (prompts_.ExecDialog(*setFormat_) == QDialog::Accepted) State().activeFormat = setFormat_->Chosen();
    SetActiveFormat(State().activeFormat);
}

// --- Conversion

void MainWindow::ConvertCommand() {
    LineRange r = frame_->GetWorkRange();
    // SubRip text is not validated: its lines are not subtitle lines.
    if (State().documentFormat != kFormatSubRip && !frame_->ValidateWorkRange(r.first, r.last)) return;
    if (!frame_->EnsureFrameRate()) return;
    const int playResY = MovieLoaded() ? movie_->ImageHeight() : settings_.SSA.playResY;
    convert_->FillSsaOptions(settings_.SSA, playResY);
    if (prompts_.ExecDialog(*convert_) != QDialog::Accepted) return;
    const int target = convert_->Target();
    if (target == kFormatSsa) settings_.SSA = convert_->SsaOptionsOf();

    frame_->BeginBulkEdit();
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    OrderReport report = ConvertLines(doc, target, settings_.SSA, r.first, r.last, frame_->Progress());
    State().documentFormat = target;
    State().ssa = doc.ssa;
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
    if (auto warning = report.Warning()) prompts_.Box(*warning);
}

// --- Time shift and nudges

void MainWindow::TimeShiftCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (!frame_->EnsureFrameRate()) return;
    shift_->SetFrameRate(State().frameRate);
    if (prompts_.ExecDialog(*shift_) != QDialog::Accepted) return;
    const double amount = shift_->Seconds();

    frame_->BeginBulkEdit();
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    ShiftResult result =
        ShiftTimes(doc, amount, shift_->ChangeStart(), shift_->ChangeEnd(), r.first, r.last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
    if (auto warning = result.Warning()) prompts_.Box(*warning);
}

void MainWindow::NudgeCommand(bool forward) {
    const int selectionStart = editor_->textCursor().selectionStart();
    if (!frame_->EnsureFrameRate()) return;
    const int line = editor_->textCursor().blockNumber();
    // Only the caret's line is read and written: no line check, no bulk edit.
    SubtitleDocument doc = session_->Copy();
    if (line >= static_cast<int>(doc.lines.size())) return;
    const auto index = static_cast<std::size_t>(line);
    const std::string old = doc.lines[index];
    ShiftResult result = NudgeLine(doc, line, forward);
    if (doc.lines[index] != old) frame_->ReplaceLine(line, doc.lines[index]);
    QTextCursor c = editor_->textCursor();
    c.setPosition(std::min(selectionStart, editor_->document()->characterCount() - 1));
    editor_->setTextCursor(c);
    if (auto warning = result.Warning()) prompts_.Box(*warning);
}

// --- Frame rates

void MainWindow::FrameRateChangeCommand() {
    LineRange r = frame_->GetWorkRange();
    if (!frame_->ValidateWorkRange(r.first, r.last)) return;
    if (prompts_.ExecDialog(*fpsChange_) != QDialog::Accepted) return;
    frame_->BeginBulkEdit();
    SubtitleDocument doc = session_->Copy();
    const std::vector<std::string> before = doc.lines;
    ChangeFrameRate(doc, fpsChange_->SourceRate(), fpsChange_->TargetRate(), r.first, r.last, frame_->Progress());
    frame_->WriteBack(before, doc.lines);
    frame_->EndBulkEdit(r.first, r.last);
}

void MainWindow::DefaultFrameRateCommand() {
    defaultFps_->SetExplanationVisible(false);
    if (prompts_.ExecDialog(*defaultFps_) != QDialog::Accepted) return;
    State().frameRate = defaultFps_->Rate();
    fpsChange_->LabelFps2->setText(Q(FormatGeneral(State().frameRate)));
}

}  // namespace kravelo
