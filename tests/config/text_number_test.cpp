#include "config/text_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lanzhi {
namespace {

TEST(TextEncoding, NarrowLiteralsAreCompiledToGbk) {
  EXPECT_EQ(std::string("是"), "\xCA\xC7");
  EXPECT_EQ(std::string("信息："), "\xD0\xC5\xCF\xA2\xA3\xBA");
}

TEST(FoldFullWidth, TurnsFullWidthFormsIntoAscii) {
  EXPECT_EQ(FoldFullWidth("\xA3\xB1\xA3\xB2"), "12");          // full-width 1 2
  EXPECT_EQ(FoldFullWidth("\xA3\xAD\xA3\xB5"), "-5");          // full-width minus 5
  EXPECT_EQ(FoldFullWidth("\xA3\xA1\xA3\xFE"), "!~");          // first and last of row A3
  EXPECT_EQ(FoldFullWidth("\xA1\xA1x\xA1\xAB\xA1\xEE\xA1\xEF"), " x~**");
  EXPECT_EQ(FoldFullWidth("是"), "是");                         // other characters stay
  EXPECT_EQ(FoldFullWidth("\xA3"), "\xA3");                    // lone lead byte at the end
}

TEST(FoldFullWidth, DoesNotPairAcrossCharacterBoundaries) {
  // B0 A3 is one character; the A3 that follows it must not start a pair with B1.
  EXPECT_EQ(FoldFullWidth("\xB0\xA3\xB1\xA3\xB2"), "\xB0\xA3\xB1\xA3\xB2");
}

struct NumberCase {
  const char* text;
  double value;
  bool found;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TextToNumberCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumberCases, ReadsTheLeadingNumber) {
  const NumberCase& c = GetParam();
  const ParsedNumber parsed = ParseNumber(c.text);
  EXPECT_EQ(parsed.found, c.found) << c.text;
  EXPECT_DOUBLE_EQ(parsed.value, c.value) << c.text;
  EXPECT_DOUBLE_EQ(TextToNumber(c.text), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumberCases,
    ::testing::Values(NumberCase{"1000", 1000, true}, NumberCase{"", 0, false},
                      NumberCase{"abc", 0, false}, NumberCase{"  12", 12, true},
                      NumberCase{"\t\n-7", -7, true}, NumberCase{"+3.5", 3.5, true},
                      NumberCase{"12abc", 12, true}, NumberCase{"1.5e3", 1500, true},
                      NumberCase{"1.5E-1", 0.15, true}, NumberCase{"2d2", 200, true},
                      NumberCase{"2D+1", 20, true}, NumberCase{"3e", 3, true},
                      NumberCase{"3e+", 3, true}, NumberCase{".5", 0.5, true},
                      NumberCase{"5.", 5, true}, NumberCase{".", 0, false},
                      NumberCase{"-", 0, false}, NumberCase{"1-2", 1, true},
                      NumberCase{"0", 0, true}, NumberCase{"1,5", 1, true},
                      NumberCase{"\xA3\xB1\xA3\xB2\xA3\xB3", 123, true},       // full-width 123
                      NumberCase{"\xA1\xA1\xA3\xAD\xA3\xB4", -4, true},         // ideographic space, -4
                      NumberCase{"\xA3\xB1\xA3\xAE\xA3\xB5", 1.5, true}));      // full-width 1.5

TEST(TextToNumber, OverflowGivesInfinityAndUnderflowZero) {
  EXPECT_TRUE(std::isinf(TextToNumber("1e999")));
  EXPECT_GT(TextToNumber("1e999"), 0);
  EXPECT_LT(TextToNumber("-1e999"), 0);
  EXPECT_EQ(TextToNumber("1e-999"), 0.0);
}

TEST(SaturatingCast, RoundsTowardZeroSaturatesAndMapsNaNToZero) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr long long kMaxLL = std::numeric_limits<long long>::max();
  constexpr long long kMinLL = std::numeric_limits<long long>::min();
  const struct {
    double value;
    long long asLongLong;
    unsigned asUnsigned;
  } cases[] = {
      {0.0, 0, 0u},
      {12.9, 12, 12u},
      {-12.9, -12, 0u},
      {-0.5, 0, 0u},
      {4294967295.0, 4294967295LL, 4294967295u},
      {4294967296.5, 4294967296LL, 4294967295u},
      {9.2233720368547758e18, kMaxLL, 4294967295u},  // 2^63: just beyond long long
      {-9.2233720368547758e18, kMinLL, 0u},          // -2^63: exactly long long's min
      {1e300, kMaxLL, 4294967295u},
      {-1e300, kMinLL, 0u},
      {kInf, kMaxLL, 4294967295u},
      {-kInf, kMinLL, 0u},
      {std::nan(""), 0, 0u},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SaturatingCast<long long>(c.value), c.asLongLong) << c.value;
    EXPECT_EQ(SaturatingCast<unsigned>(c.value), c.asUnsigned) << c.value;
  }
}

TEST(SaturateToInt32, TruncatesTowardZeroAndSaturates) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(SaturateToInt32(12.9), 12);
  EXPECT_EQ(SaturateToInt32(-12.9), -12);
  EXPECT_EQ(SaturateToInt32(2147483647.0), kMax);
  EXPECT_EQ(SaturateToInt32(TextToNumber("1e999")), kMax);
  EXPECT_EQ(SaturateToInt32(TextToNumber("-99999999999")), kMin);
  EXPECT_EQ(SaturateToInt32(-2147483648.0), kMin);
  EXPECT_EQ(SaturateToInt32(std::nan("")), 0);
}

TEST(NumberToText, WritesIntegersAndFractionsByTheDisplayRule) {
  EXPECT_EQ(NumberToText(std::int64_t{1000}), "1000");
  EXPECT_EQ(NumberToText(std::int64_t{-42}), "-42");
  EXPECT_EQ(NumberToText(1000.0), "1000");
  EXPECT_EQ(NumberToText(0.5), "0.5");
  EXPECT_EQ(NumberToText(1.0 / 3.0), "0.3333333333333");
  EXPECT_EQ(NumberToText(2.0 / 3.0), "0.6666666666667");
  EXPECT_EQ(NumberToText(1.234), "1.234");
  EXPECT_EQ(NumberToText(0.001), "0.001");
  EXPECT_EQ(NumberToText(0.0001), "0.0001");
  EXPECT_EQ(NumberToText(0.00001), "1e-05");
  EXPECT_EQ(NumberToText(-1.5), "-1.5");
  EXPECT_EQ(NumberToText(0.0), "0");
  EXPECT_EQ(NumberToText(1234567890123.0), "1234567890123");  // 13 digits: plain
  EXPECT_EQ(NumberToText(12345678901234.0), "1.234567890123e+13");
  EXPECT_EQ(NumberToText(10.0), "10");
}

TEST(NumberToText, WritesLogicalValuesInChinese) {
  EXPECT_EQ(NumberToText(true), "真");
  EXPECT_EQ(NumberToText(false), "假");
}

TEST(TextSearch, FindsOneBasedPositions) {
  EXPECT_EQ(TextSearch("hello", "l"), 3);
  EXPECT_EQ(TextSearch("hello", "lo"), 4);
  EXPECT_EQ(TextSearch("hello", "x"), -1);
  EXPECT_EQ(TextSearch("hello", "l", 4), 4);
  EXPECT_EQ(TextSearch("hello", "l", 5), -1);
  EXPECT_EQ(TextSearch("hello", "h", -3), 1);   // below 1 counts as 1
  EXPECT_EQ(TextSearch("hello", "o", 6), -1);   // beyond the end finds nothing
  EXPECT_EQ(TextSearch("", "a"), -1);
}

TEST(TextSearch, EmptyNeedleGivesOneWhileTextRemains) {
  EXPECT_EQ(TextSearch("abc", ""), 1);
  EXPECT_EQ(TextSearch("abc", "", 3), 1);
  EXPECT_EQ(TextSearch("abc", "", 4), -1);
  EXPECT_EQ(TextSearch("", ""), -1);
}

TEST(TextSearch, IgnoresCaseOfAsciiLettersOnlyWhenAsked) {
  EXPECT_EQ(TextSearch("Hello", "hello"), -1);
  EXPECT_EQ(TextSearch("Hello", "hELLO", 1, true), 1);
  EXPECT_EQ(TextSearch("a是B", "b", 1, true), 4);
}

TEST(TextSearch, NeverMatchesFromATrailByte) {
  // "是" is CA C7: the pair C7 41 that straddles it and the next byte is no match.
  EXPECT_EQ(TextSearch("\xCA\xC7" "A", "\xC7" "A"), -1);
  // B0 41 is one character whose trail byte is 'A'.
  EXPECT_EQ(TextSearch("\xB0" "A", "A"), -1);
  EXPECT_EQ(TextSearch("\xB0" "AA", "A"), 3);
  // A start position inside a character still knows where characters begin.
  EXPECT_EQ(TextSearch("\xB0" "AA", "A", 2), 3);
  // With ignore-case, a trail byte that looks like a letter is not folded.
  EXPECT_EQ(TextSearch("\xB0" "a", "\xB0" "A", 1, true), -1);
  EXPECT_EQ(TextSearch("x是", "是"), 2);
}

}  // namespace
}  // namespace lanzhi
