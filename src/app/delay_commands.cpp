#include "app/delay_commands.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/main_window.h"
#include "core/text_util.h"
#include "ops/dialogs/search_dialogs.h"
#include "ops/dialogs/shift_dialog.h"
#include "ui/command_names.h"
#include "ui/qt_text.h"

namespace kravelo {

DelayCommands::DelayCommands(MainWindow& window, std::function<double()> moviePosition, QObject* parent)
    : QObject(parent), window_(window), moviePosition_(std::move(moviePosition)) {
    using K = QKeySequence;
    const auto ctrl = Qt::CTRL;
    CommandTable& t = window_.Commands();
    auto add = [&t](const char* name, const char* caption, QKeySequence key, std::function<void()> run,
                    unsigned needs, std::function<bool()> enabled = {}) {
        Command c;
        c.name = name;
        c.caption = QString::fromUtf8(caption);
        c.shortcuts = {key};
        c.run = std::move(run);
        c.needs = needs;
        c.enabled = std::move(enabled);
        t.Add(std::move(c));
    };
    const unsigned measuring = kNeedsMovie | kNeedsEditor;
    add(cmd::kMeasureDelay, "Zmierz opóź&nienie napisu względem dźwięku", K(ctrl | Qt::Key_Slash),
        [this] { MeasureDelay(); }, measuring);
    add(cmd::kDelayStartPoint, "Zmierz początkowe opóźnienie napisu", K(ctrl | Qt::Key_1), [this] { StartPoint(); },
        measuring);
    add(cmd::kDelayEndPoint, "Zmierz końcowe opóźnienie napisu", K(ctrl | Qt::Key_2), [this] { EndPoint(); },
        measuring);
    add(cmd::kGeometricCorrection, "Geometryczne przesunięcie napisów...", K(ctrl | Qt::Key_3),
        [this] { GeometricCorrection(); }, kNeedsEditor, [this] { return correctionEnabled_; });
}

void DelayCommands::Clear() {
    start_.reset();
    end_.reset();
    correctionEnabled_ = false;
    window_.Commands().Refresh();
}

std::optional<Measurement> DelayCommands::MeasureCaretLine() {
    const Settings& s = window_.GetSettings();
    const double reaction = s.ReactionForDelayCheckToo ? s.ReactionSpeed : 0.0;
    const long line = window_.Editor()->textCursor().blockNumber();
    return MeasureLine(window_.Session().Copy(), line, moviePosition_(), reaction);
}

void DelayCommands::MeasureDelay() {
    if (!window_.Frame().EnsureFrameRate()) return;
    const std::optional<Measurement> m = MeasureCaretLine();
    if (!m) return;
    const QString delay = Q(FormatGeneral(m->point.moviePosition - m->point.subtitleTime));
    Prompts& p = window_.GetPrompts();
    QString shiftCaption = window_.Action(cmd::kShift)->text();
    shiftCaption.remove(u'&');
    const QString text = p.Text("Form1", "SubDealy") + QStringLiteral(":\n\n") + delay + u' ' +
                         p.Text("FormPytanie02Geom", "SubDelayUnit") + QStringLiteral("\n\n") +
                         p.Text("Form1", "SubDelayAdvice1") + QStringLiteral(" \"") + shiftCaption +
                         QStringLiteral("\" ") + p.Text("Form1", "SubDelayAdvice2");
    p.MessageBox(text, p.Text("Form1", "MovieDelay"), BoxButtons::Ok, MessageIcon::Information);
    // The next time shift offers exactly this amount (its frames follow the current rate).
    TFormPytanie03PrzesNap& shift = window_.ShiftDialog();
    shift.SetFrameRate(window_.State().frameRate);
    shift.EditSec->setText(delay);
}

void DelayCommands::StartPoint() { Point(true); }
void DelayCommands::EndPoint() { Point(false); }

void DelayCommands::Point(bool start) {
    if (!window_.Frame().EnsureFrameRate()) return;
    std::optional<Measurement> m = MeasureCaretLine();
    if (!m) return;
    (start ? start_ : end_) = std::move(m);
    correctionEnabled_ = start_ && end_ && PointsConsistent(start_->point, end_->point);
    window_.Commands().Refresh();
    if (correctionEnabled_) QApplication::beep();
}

void DelayCommands::GeometricCorrection() {
    if (!correctionEnabled_ || !start_ || !end_) return;
    Prompts& p = window_.GetPrompts();
    const QString unit = u' ' + p.Text("FormPytanie02Geom", "SubDelayUnit");
    TFormPytanie02Geom& d = window_.GeometricDialog();
    auto fill = [&unit](const Measurement& m, QLabel* number, QLabel* text, QLabel* delay) {
        number->setText(QString::number(m.lineNumber));
        text->setText(Q(m.text));
        delay->setText(Q(FormatGeneral(m.point.subtitleTime - m.point.moviePosition)) + unit);
    };
    fill(*start_, d.PoczNr, d.PoczLinia, d.PoczPrzes);
    fill(*end_, d.KonNr, d.KonLinia, d.KonPrzes);
    if (p.ExecDialog(d) != QDialog::Accepted) return;

    OperationFrame& frame = window_.Frame();
    const LineRange r = frame.GetWorkRange();
    frame.BeginBulkEdit();
    SubtitleDocument doc = window_.Session().Copy();
    const std::vector<std::string> before = doc.lines;
    const DelayPoint& a = start_->point;
    const DelayPoint& b = end_->point;
    const CorrectResult result = CorrectTimes(doc, r.first, r.last, a.moviePosition, b.moviePosition,
                                              a.subtitleTime, b.subtitleTime, frame.Progress());
    frame.WriteBack(before, doc.lines);
    frame.EndBulkEdit(r.first, r.last);
    if (auto warning = result.Warning()) p.Box(*warning);
}

}  // namespace kravelo
