#include "ops/dialogs/linked_time_fields.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "core/text_util.h"
#include "core/time_model.h"

namespace kravelo {

namespace {

double LeadingNumber(const QLineEdit* edit) { return ParseLeadingDouble(edit->text().toStdString()); }

QString TwoDigits(long long v) { return v < 10 && v >= 0 ? u'0' + QString::number(v) : QString::number(v); }

QString General(double v) { return QString::fromStdString(FormatGeneral(v)); }

}  // namespace

LinkedTimeFields::LinkedTimeFields(QLineEdit* seconds, QLineEdit* frames, Frames kind, QObject* parent)
    : QObject(parent), seconds_(seconds), frames_(frames), kind_(kind) {
    connect(seconds_, &QLineEdit::textChanged, this, [this] { SecondsChanged(); });
    connect(frames_, &QLineEdit::textChanged, this, [this] { FramesChanged(); });
}

void LinkedTimeFields::AddClock(QLineEdit* hours, QLineEdit* minutes, QLineEdit* seconds) {
    hours_ = hours;
    minutes_ = minutes;
    clockSeconds_ = seconds;
    for (QLineEdit* e : {hours, minutes, seconds})
        connect(e, &QLineEdit::textChanged, this, [this] { ClockChanged(); });
}

double LinkedTimeFields::Seconds() const {
    return kind_ == Frames::Count ? LeadingNumber(seconds_) : seconds_->text().toDouble();
}

double LinkedTimeFields::ReadFrames() const {
    return kind_ == Frames::Count ? LeadingNumber(frames_) : static_cast<double>(frames_->text().toLongLong());
}

QString LinkedTimeFields::FramesText(double seconds) const {
    if (kind_ == Frames::Number) return QString::number(TimeToFrame(seconds, frameRate_));
    double frames = std::trunc(seconds * frameRate_);
    if (!std::isfinite(frames)) frames = 0.0;
    frames = std::clamp(frames, -9.0e18, 9.0e18);  // a typed 1e300 must not overflow the integer
    return QString::number(static_cast<long long>(frames));
}

void LinkedTimeFields::WriteClock(double seconds) {
    if (!hours_) return;
    const SplitTimeParts t = SplitTime(seconds);
    hours_->setText(TwoDigits(t.hours));
    minutes_->setText(TwoDigits(t.minutes));
    clockSeconds_->setText(TwoDigits(t.seconds));
}

void LinkedTimeFields::SecondsChanged() {
    if (guard_) return;
    guard_ = true;
    const double seconds = Seconds();
    frames_->setText(FramesText(seconds));
    WriteClock(seconds);
    guard_ = false;
}

void LinkedTimeFields::FramesChanged() {
    if (guard_ || frameRate_ <= 0.0) return;
    guard_ = true;
    const double seconds = ReadFrames() / frameRate_;
    seconds_->setText(General(seconds));
    WriteClock(seconds);
    guard_ = false;
}

void LinkedTimeFields::ClockChanged() {
    if (guard_) return;
    guard_ = true;
    const double seconds = hours_->text().toLongLong() * 3600.0 + minutes_->text().toLongLong() * 60.0 +
                           clockSeconds_->text().toLongLong();
    seconds_->setText(General(seconds));
    frames_->setText(FramesText(seconds));
    guard_ = false;
}

}  // namespace kravelo
