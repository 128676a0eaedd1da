#pragma once
// The delay measurement of the Movie menu's "Opóźnienie napisów" submenu: the delay of the
// caret's subtitle behind the movie position (reported and put into the time-shift dialog), and
// the start and end points of the geometric correction, which moves the chosen lines by a delay
// that changes linearly between the two points. The points are kept for the whole program and
// cleared when the movie closes.
//
//     DelayCommands delay(window, [&player] { return player.CurrentPosition(); });  // registers
//     delay.StartPoint(); ... delay.EndPoint(); delay.GeometricCorrection();

#include <QObject>
#include <functional>
#include <optional>

#include "ops/delay.h"

namespace kravelo {

class MainWindow;

class DelayCommands : public QObject {
    Q_OBJECT
public:
    // Registers the four commands in the window's command table.
    DelayCommands(MainWindow& window, std::function<double()> moviePosition, QObject* parent = nullptr);

    void MeasureDelay();
    void StartPoint();
    void EndPoint();
    void GeometricCorrection();
    // Both points set and consistent since the last measurement (the correction's enabled rule).
    bool CorrectionEnabled() const { return correctionEnabled_; }
    // The movie closed: both points go.
    void Clear();

    const std::optional<Measurement>& Start() const { return start_; }
    const std::optional<Measurement>& End() const { return end_; }

private:
    void Point(bool start);
    // The caret's line measured at the movie position, the reaction time taken off when set.
    std::optional<Measurement> MeasureCaretLine();

    MainWindow& window_;
    std::function<double()> moviePosition_;
    std::optional<Measurement> start_;
    std::optional<Measurement> end_;
    bool correctionEnabled_ = false;
};

}  // namespace kravelo
