#include <gtest/gtest.h>

#include "support/engine_doc.h"
#include "ops/frame_rate.h"

using namespace kravelo;
using kravelo::test::Doc;

TEST(ChangeFrameRate, FramesRescaledOtherFormatsKept) {
    SubtitleDocument d =
        Doc({"{250}{300}Tekst", "{1000}{}X", "00:01:02:Tekst", "[12][34]T", "", "zły", "{250}{300}Poza"},
            0.0);  // the document's own rate plays no part
    FrameRateResult r = ChangeFrameRate(d, 25.0, 30.0, 0, 6);
    EXPECT_EQ(r.linesWritten, 4);
    EXPECT_EQ(d.lines, (std::vector<std::string>{"{300}{360}Tekst", "{1200}{}X", "00:01:02:Tekst",
                                                 "[12][34]T", "", "zły", "{250}{300}Poza"}));
    EXPECT_EQ(d.frameRate, 0.0);

    // 41.708 s x 25 = 1042.7: the nearest frame.
    SubtitleDocument e = Doc({"{1000}{}X"});
    ChangeFrameRate(e, 23.976, 25.0, 0, 1);
    EXPECT_EQ(e.lines[0], "{1043}{}X");
}
