#include <gtest/gtest.h>

#include "core/option_numbers.h"

namespace kravelo {
namespace {

OptionTexts Valid() {
    OptionTexts t;
    t.editorFontSize = "9";
    t.reactionSpeed = "0.3";
    t.elevation = "1";
    t.elevationFS = "0";
    t.delay = "10";
    t.backward = "3";
    t.forward = "0.5";
    t.minLength = "0";
    return t;
}

// The field and message key of the first problem, or "" when the texts are valid.
std::string Problem(const OptionTexts& t) {
    auto r = ReadOptionNumbers(t);
    if (const auto* p = std::get_if<OptionProblem>(&r)) return std::to_string(static_cast<int>(p->field)) + " " +
                                                                std::string(p->message.key);
    return "";
}

TEST(OptionNumbers, DecimalsAreWholeTexts) {
    EXPECT_EQ(ReadDecimal(" +2 "), 2.0);
    EXPECT_EQ(ReadDecimal("-1.25"), -1.25);
    for (const char* bad : {"", " ", "abc", "1,5", "1.5s", "1e3", "++1", "nan", "inf", "0x10", "."})
        EXPECT_FALSE(ReadDecimal(bad)) << bad;
}

TEST(OptionNumbers, ValidTextsGiveTheirNumbers) {
    auto r = ReadOptionNumbers(Valid());
    ASSERT_TRUE(std::holds_alternative<OptionNumbers>(r));
    const OptionNumbers& n = std::get<OptionNumbers>(r);
    EXPECT_EQ(n.editorFontSize, 9);
    EXPECT_DOUBLE_EQ(n.reactionSpeed, 0.3);
    EXPECT_EQ(n.elevation, 1);
    EXPECT_EQ(n.elevationFS, 0);
    EXPECT_EQ(n.delay, 10);
    EXPECT_DOUBLE_EQ(n.backward, 3.0);
    EXPECT_DOUBLE_EQ(n.forward, 0.5);
    EXPECT_EQ(n.minLength, 0);

    OptionTexts unused = Valid();
    unused.minLengthUsed = false;
    unused.minLength = "abc";  // not read while per-movie files are off
    r = ReadOptionNumbers(unused);
    ASSERT_TRUE(std::holds_alternative<OptionNumbers>(r));
    EXPECT_FALSE(std::get<OptionNumbers>(r).minLength);
}

TEST(OptionNumbers, EachFieldRefusesWhatIsNoValueOfIt) {
    struct Case {
        std::string OptionTexts::*field;
        const char* text;
        const char* problem;
    };
    // (The window's own test walks one bad value of each field; these are the other edges.)
    const Case cases[] = {
        {&OptionTexts::editorFontSize, "5", "0 FntSize"},
        {&OptionTexts::editorFontSize, "abc", "0 FntSize"},
        {&OptionTexts::reactionSpeed, "11", "1 IncorrectVal"},
        {&OptionTexts::reactionSpeed, "0,3", "1 IncorrectVal"},
        {&OptionTexts::elevation, "-1", "2 IncorrectVal"},
        {&OptionTexts::elevationFS, "1000", "3 IncorrectVal"},
        {&OptionTexts::delay, "99999999999", "4 Delay"},
        {&OptionTexts::delay, "10001", "4 IncorrectVal"},
        {&OptionTexts::forward, "360001", "6 IncorrectVal"},
        {&OptionTexts::minLength, "2.5", "7 IncorrectVal"},
    };
    for (const Case& c : cases) {
        OptionTexts t = Valid();
        t.*c.field = c.text;
        EXPECT_EQ(Problem(t), c.problem) << c.text;
    }
    // The first problem in the order of checking is the one reported.
    OptionTexts two = Valid();
    two.forward = "0";
    two.delay = "0";
    EXPECT_EQ(Problem(two), "4 Delay");
    // The limits themselves are accepted.
    OptionTexts edges = Valid();
    edges.editorFontSize = "22";
    edges.reactionSpeed = "10";
    edges.elevation = "999";
    edges.delay = "10000";
    EXPECT_EQ(Problem(edges), "");
}

}  // namespace
}  // namespace kravelo
