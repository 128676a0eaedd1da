#include <gtest/gtest.h>

#include <QTest>

#include "player/kv_track_bar.h"

using namespace kravelo;

namespace {

// Range 0..100 with a 100-pixel track and a 20-pixel tracker.
struct Bar {
    TKvTrackBar bar;
    std::vector<int> reports;
    Bar() {
        bar.setWidth(103);
        bar.setTrackerWidth(20);
        bar.OnPositionChange = [this](TKvTrackBar& b) { reports.push_back(b.Position()); };
    }
};

}  // namespace

TEST(TKvTrackBar, PositionAndScreenPositionArithmetic) {
    Bar b;
    ASSERT_EQ(b.bar.TrackWidth(), 100);
    b.bar.setPos(50);
    EXPECT_EQ(b.bar.getScreenPos(), 41);  // trunc(50 x 80 / 100 + 1.5)
    EXPECT_EQ(b.bar.getPos(), 50);        // trunc(40 x 100 / 80 + 0.5)
    EXPECT_TRUE(b.reports.empty());  // code moves report only with AlwaysRaiseOnChangeEvent

    // Values outside the range keep the tracker on the track and the position in the range.
    b.bar.setPos(500);
    EXPECT_EQ(b.bar.getScreenPos(), 103 - 20 - 2);
    EXPECT_EQ(b.bar.Position(), 100);
    b.bar.setPos(-7);
    EXPECT_EQ(b.bar.getScreenPos(), 1);
    EXPECT_EQ(b.bar.Position(), 0);

    // A negative range start.
    b.bar.setMinValue(-100);
    b.bar.setPos(0);
    EXPECT_EQ(b.bar.getScreenPos(), 41);
    EXPECT_EQ(b.bar.Position(), 0);

    b.bar.AlwaysRaiseOnChangeEvent = true;
    b.bar.setPos(10);
    EXPECT_EQ(b.reports, std::vector<int>{10});
}

TEST(TKvTrackBar, ClampsOfSizeAndRange) {
    TKvTrackBar bar;
    bar.setHeight(30);
    EXPECT_EQ(bar.getHeight(), 17);
    EXPECT_EQ(bar.ImageTrack()->height(), 14);
    bar.setHeight(2);
    EXPECT_EQ(bar.getHeight(), 6);
    bar.setWidth(10);
    EXPECT_EQ(bar.getWidth(), 30);
    EXPECT_EQ(bar.ImageTrack()->width(), 27);
    bar.setTrackerWidth(4);
    EXPECT_EQ(bar.getTrackerWidth(), 5);
    bar.setTrackerWidth(41);
    EXPECT_EQ(bar.getTrackerWidth(), 40);

    bar.setMinValue(0);
    bar.setMaxValue(0);
    EXPECT_EQ(bar.MaxValue(), 1);
    bar.setMinValue(5);
    EXPECT_EQ(bar.MinValue(), 0);

    // A tracker as wide as the track: every screen position reads as 0.
    bar.setWidth(30);
    bar.setTrackerWidth(27);
    EXPECT_EQ(bar.getPos(), 0);
}

TEST(TKvTrackBar, UserMovesReportOnlyRealChanges) {
    Bar b;
    b.bar.setMaxValue(800);
    b.bar.show();
    // A press on the track centres the tracker under the mouse: x - 10 + 1.
    b.bar.ImageTrackMouseDown(Qt::LeftButton, 50);
    EXPECT_EQ(b.bar.getScreenPos(), 41);
    EXPECT_EQ(b.reports, std::vector<int>{400});
    b.bar.ImageTrackMouseMove(Qt::LeftButton, 50);  // same place: nothing to report
    b.bar.ImageTrackMouseMove(Qt::NoButton, 70);    // no button held: no move
    EXPECT_EQ(b.reports.size(), 1u);
    b.bar.ImageTrackMouseDown(Qt::RightButton, 90);
    EXPECT_EQ(b.reports.size(), 1u);

    // Dragging the tracker moves it by the mouse's travel since the press.
    b.bar.ImageTrackerMouseDown(Qt::LeftButton, 5);
    b.bar.ImageTrackerMouseMove(Qt::LeftButton, 15);
    EXPECT_EQ(b.reports.back(), 500);
    b.bar.ImageTrackerMouseMove(Qt::LeftButton, 500);
    EXPECT_EQ(b.reports.back(), 800);

    // Real mouse events on the pictures go the same way.
    QTest::mousePress(b.bar.ImageTrack(), Qt::LeftButton, {}, QPoint(9, 3));
    EXPECT_EQ(b.reports.back(), 0);

    // A code move followed by the user's report sends only when the value differs from the last sent.
    b.bar.setPos(800);
    b.bar.TrackSendEvent();
    EXPECT_EQ(b.reports.back(), 800);
    const auto n = b.reports.size();
    b.bar.TrackSendEvent();
    EXPECT_EQ(b.reports.size(), n);
}
