#pragma once
// A seconds field and a frames field (and, for a position, hours / minutes / seconds fields)
// that follow each other through the frame rate: typing in one rewrites the others. A guard
// keeps a rewrite from echoing back. Used by the time-shift, jump-to and go-to-subtitle dialogs.
//
//     fields_ = new LinkedTimeFields(EditSec, EditFrm, LinkedTimeFields::Frames::Count, this);
//     fields_->SetFrameRate(25.0);

#include <QObject>

class QLineEdit;

namespace kravelo {

class LinkedTimeFields : public QObject {
public:
    // What the frames field holds, which decides how seconds become frames and how the fields
    // are read.
    enum class Frames {
        // A number of frames (an amount of time): the whole frames in the seconds, truncated
        // toward zero; both fields are read up to the first character that does not fit, and
        // the frames may have a fraction.
        Count,
        // A frame number (a position): the frame nearest to the seconds (the time model's
        // TimeToFrame); the seconds field is read as a whole number text, the frames as an integer.
        Number,
    };

    LinkedTimeFields(QLineEdit* seconds, QLineEdit* frames, Frames kind, QObject* parent);

    // Hours, minutes and seconds fields that follow too; they are written with two digits.
    void AddClock(QLineEdit* hours, QLineEdit* minutes, QLineEdit* seconds);

    // The rate the fields follow each other with; while it is 0 the frames do not change the seconds.
    void SetFrameRate(double rate) { frameRate_ = rate; }
    double FrameRate() const { return frameRate_; }
    // The seconds field as a number.
    double Seconds() const;

private:
    double ReadFrames() const;
    QString FramesText(double seconds) const;
    void WriteClock(double seconds);
    void SecondsChanged();
    void FramesChanged();
    void ClockChanged();

    QLineEdit* seconds_;
    QLineEdit* frames_;
    QLineEdit* hours_ = nullptr;
    QLineEdit* minutes_ = nullptr;
    QLineEdit* clockSeconds_ = nullptr;
    Frames kind_;
    double frameRate_ = 0.0;
    bool guard_ = false;
};

}  // namespace kravelo
