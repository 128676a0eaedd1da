// The seconds, frames and clock fields that the shift and jump dialogs share.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>

#include "ops/dialogs/linked_time_fields.h"

using namespace kravelo;

TEST(LinkedTimeFields, AFrameNumberAndTheClockFollowTheSeconds) {
    QWidget owner;
    auto* sec = new QLineEdit(&owner);
    auto* frm = new QLineEdit(&owner);
    auto* h = new QLineEdit(&owner);
    auto* m = new QLineEdit(&owner);
    auto* s = new QLineEdit(&owner);
    auto* fields = new LinkedTimeFields(sec, frm, LinkedTimeFields::Frames::Number, &owner);
    fields->AddClock(h, m, s);
    fields->SetFrameRate(25.0);

    // The nearest frame; the clock truncated.
    sec->setText("3725.5");
    EXPECT_EQ(frm->text(), "93138");
    EXPECT_EQ(h->text() + m->text() + s->text(), "010205");
    frm->setText("50");
    EXPECT_EQ(sec->text(), "2");
    EXPECT_EQ(h->text() + m->text() + s->text(), "000002");
    m->setText("10");
    EXPECT_EQ(sec->text(), "602");
    EXPECT_EQ(frm->text(), "15050");
    // Not numbers: nothing.
    sec->setText("12abc");
    EXPECT_EQ(frm->text(), "0");

    // Without a frame rate the frames field cannot give seconds.
    fields->SetFrameRate(0.0);
    sec->setText("7");
    frm->setText("100");
    EXPECT_EQ(sec->text(), "7");
}

TEST(LinkedTimeFields, AFrameCountIsTheWholeFramesInTheSeconds) {
    QWidget owner;
    auto* sec = new QLineEdit(&owner);
    auto* frm = new QLineEdit(&owner);
    auto* fields = new LinkedTimeFields(sec, frm, LinkedTimeFields::Frames::Count, &owner);
    fields->SetFrameRate(25.0);

    sec->setText("-1.03");  // -25.75 frames
    EXPECT_EQ(frm->text(), "-25");
    sec->setText("2.5 s");  // read up to what does not fit
    EXPECT_EQ(frm->text(), "62");
    sec->setText("1e300");
    EXPECT_EQ(frm->text(), "9000000000000000000");
    frm->setText("12.5");
    EXPECT_EQ(sec->text(), "0.5");
}
