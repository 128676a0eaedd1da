// The document summary behind `kravelo-cli info`.

#include <gtest/gtest.h>

#include "support/engine_doc.h"
#include "ops/info.h"

using namespace kravelo;

TEST(DescribeDocument, CountsFormatsSubtitlesTimesAndOrder) {
    SubtitleDocument doc = test::Doc({"{0}{25}", "{250}{300}a", "", "junk", "[50][]b", "00:01:00:c", "[600][620]d", "[700][]e"});
    DocumentInfo info = DescribeDocument(doc);
    EXPECT_EQ(info.formats[0], 1);
    EXPECT_EQ(info.formats[kFormatFrame], 2);
    EXPECT_EQ(info.formats[kFormatDecisecond], 3);
    EXPECT_EQ(info.formats[kFormatTime], 1);
    EXPECT_EQ(info.empty, 1);
    EXPECT_EQ(info.subtitles, 5);  // {0}{25} carries none
    EXPECT_DOUBLE_EQ(info.firstTime, 5.0);
    EXPECT_DOUBLE_EQ(info.lastTime, 70.0);
    EXPECT_EQ(info.order.unsorted, 1);  // 10 s -> 5 s
    EXPECT_EQ(info.order.equal, 1);     // 60 s twice
    EXPECT_EQ(info.firstUnsortedLine, 1);
}

TEST(DescribeDocument, SsaHeaderIsCountedApart) {
    DocumentInfo info = DescribeDocument(test::SsaDoc({test::Ssa("0:00:01.00", "0:00:02.00", "a")}));
    EXPECT_EQ(info.header, 10);
    EXPECT_EQ(info.formats[kFormatSsa], 1);
    EXPECT_EQ(info.formats[0], 0);
    EXPECT_EQ(info.subtitles, 1);
    EXPECT_EQ(info.firstUnsortedLine, -1);
}
