#include <gtest/gtest.h>

#include <QTimer>

#include "app/form_sub_not_sorted.h"
#include "app/language.h"
#include "scripted_prompter.h"
#include "ui/open_dialog_count.h"
#include "ui/prompts.h"

using namespace kravelo;
using kravelo::test::ScriptedPrompter;

TEST(FormSubNotSorted, CountsDownAndClosesItself) {
    OpenDialogCounter open;
    ScriptedPrompter prompter;
    Language shipped(std::string(KRAVELO_SOURCE_DIR) + "/data", "");
    ASSERT_TRUE(shipped.LoadLanguage("english.klg"));
    Prompts prompts(prompter, open, shipped.Texts());
    TFormSubNotSorted notice(open, prompts);

    prompter.Dialog("FormSubNotSorted", [&](QDialog&) {
        EXPECT_EQ(notice.LabelMessage->text().toStdString(),
                  shipped.Text("Form1", "SubtitlesNotSorted"));
        EXPECT_TRUE(notice.Timer1->isActive());
        for (int second = 0; second < 4; ++second) notice.Timer1Timer();
        EXPECT_TRUE(notice.isVisible());  // "1": still up
        notice.Timer1Timer();             // "0": closes as if OK were pressed
    });
    notice.Notify();
    EXPECT_EQ(notice.result(), QDialog::Accepted);  // closed by itself, not by the prompter
    EXPECT_FALSE(notice.Timer1->isActive());

    // Shown again, the countdown starts from 5 once more; OK stops it at once. A count that is
    // not a number counts as 5.
    prompter.Dialog("FormSubNotSorted", [&](QDialog&) {
        EXPECT_EQ(notice.LabelCount->text(), "5");
        notice.LabelCount->setText("x");
        notice.Timer1Timer();
        EXPECT_EQ(notice.LabelCount->text(), "4");
        notice.Button1->click();
    });
    notice.Notify();
    EXPECT_EQ(notice.result(), QDialog::Accepted);
    EXPECT_FALSE(notice.Timer1->isActive());
    // The window is as wide as its text.
    EXPECT_EQ(notice.width(), notice.LabelMessage->geometry().right() + 1 + 18);
}
