#include "player/display_timer.h"

#include <QTimer>

namespace kravelo {

SubtitleDisplayTimer::SubtitleDisplayTimer(MediaPlayer* player, SubtitleWindows* windows, QObject* parent)
    : QObject(parent), player_(player), windows_(windows) {
    TimerNapisy = new QTimer(this);
    TimerNapisy->setObjectName("TimerNapisy");
    TimerNapisy->setInterval(60);
    connect(TimerNapisy, &QTimer::timeout, this, &SubtitleDisplayTimer::TimerNapisyTimer);

    TimerNowyTekst = new QTimer(this);
    TimerNowyTekst->setObjectName("TimerNowyTekst");
    TimerNowyTekst->setSingleShot(true);
    connect(TimerNowyTekst, &QTimer::timeout, this, [this] { ResyncRequested = true; });

    connect(player_, &MediaPlayer::PositionChange, this, &SubtitleDisplayTimer::PositionChanged);
}

void SubtitleDisplayTimer::SetDisplayOn(bool on) {
    displayOn_ = on;
    ResyncRequested = true;
    if (on) {
        TimerNapisy->start();
    } else {
        TimerNapisy->stop();
        windows_->RenderSubtitle(QString(), Options.SubtitleAdjust, TransparentMode(), Options.LetItalic);
        windows_->SetSubtitleWindowsVisible(false, TransparentMode());
        Cursor.SubtitleShown = false;
    }
}

void SubtitleDisplayTimer::PositionChanged() {
    if (Closing) return;
    TimerNowyTekst->start(Options.DelaySubtitleOn);
}

void SubtitleDisplayTimer::TimerNapisyTimer() {
    // After a seek the display waits for the edit delay, then rebuilds once.
    if (TimerNowyTekst->isActive()) return;
    DisplayInput in = Source ? Source() : DisplayInput{};
    in.position = player_->CurrentPosition();
    DisplayTick(Cursor, ResyncRequested, in, *this);
}

void SubtitleDisplayTimer::ShowSubtitle(std::string_view text) {
    // Over the full-screen chapters window transparent painting would draw through it.
    const int dialogs = OpenDialogCount ? OpenDialogCount() : 0;
    if (dialogs >= 5 && TransparentMode()) return;
    windows_->RenderSubtitle(text, Options.SubtitleAdjust, TransparentMode(), Options.LetItalic);
    windows_->SetSubtitleWindowsVisible(true, TransparentMode());
    if (!FullScreen && !Options.FocusNaPoleEdycyjne) windows_->BringToFront();
}

void SubtitleDisplayTimer::HideSubtitle() {
    windows_->SetSubtitleWindowsVisible(false, TransparentMode());
}

void SubtitleDisplayTimer::SubtitlesNotSorted() {
    if (!Options.InfoNotSortSub) return;
    const bool wasPlaying = player_->PlayState() == kPlayPlaying;
    if (wasPlaying) player_->Pause();
    // The notice is modal: the tick must not run again inside it.
    TimerNapisy->stop();
    if (ShowNotSortedNotice) ShowNotSortedNotice();
    if (displayOn_) TimerNapisy->start();
    if (wasPlaying) player_->Play();
}

}  // namespace kravelo
