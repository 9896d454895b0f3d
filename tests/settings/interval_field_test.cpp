#include "interval_field.h"

#include <gtest/gtest.h>

#include <limits>

namespace marovel::settings {
namespace {

struct ParseCase {
  const char* text;
  char separator;
  std::optional<double> expected;
};

class ParseLocaleNumber : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseLocaleNumber, AcceptsOnlyPlainNumbersInTheLocalesForm) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(parseLocaleNumber(c.text, c.separator), c.expected) << '"' << c.text << "\" with '" << c.separator << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseLocaleNumber,
    testing::Values(ParseCase{"360", ',', 360}, ParseCase{" 360 ", ',', 360}, ParseCase{"\t360\t", '.', 360},
                    ParseCase{"1e3", ',', 1000}, ParseCase{"1E+3", '.', 1000}, ParseCase{"15e-1", '.', 1.5},
                    ParseCase{"1,5", ',', 1.5}, ParseCase{"1.5", '.', 1.5}, ParseCase{"+7", ',', 7},
                    ParseCase{"-7", ',', -7}, ParseCase{",5", ',', 0.5}, ParseCase{"5,", ',', 5},
                    // the other locale's separator is a group separator there: refused
                    ParseCase{"1.5", ',', std::nullopt}, ParseCase{"1,5", '.', std::nullopt},
                    ParseCase{"1.440", ',', std::nullopt}, ParseCase{"1,440", '.', std::nullopt},
                    ParseCase{"", ',', std::nullopt}, ParseCase{" ", ',', std::nullopt},
                    ParseCase{"-", ',', std::nullopt}, ParseCase{"--1", ',', std::nullopt},
                    ParseCase{"abc", ',', std::nullopt}, ParseCase{"12abc", ',', std::nullopt},
                    ParseCase{"1 2", ',', std::nullopt}, ParseCase{"1e", ',', std::nullopt},
                    ParseCase{"e3", ',', std::nullopt}, ParseCase{",", ',', std::nullopt},
                    ParseCase{"0x10", '.', std::nullopt}, ParseCase{"inf", '.', std::nullopt},
                    ParseCase{"nan", '.', std::nullopt}, ParseCase{"1e999", '.', std::nullopt}));

struct AcceptCase {
  const char* text;
  char separator;
  bool accepted;
};

class IntervalAcceptance : public testing::TestWithParam<AcceptCase> {};

TEST_P(IntervalAcceptance, TakesMinutesFromOneToADayOrTheMarker) {
  const AcceptCase& c = GetParam();
  EXPECT_EQ(isAcceptedIntervalText(c.text, c.separator), c.accepted) << '"' << c.text << "\" with '" << c.separator
                                                                      << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntervalAcceptance,
    testing::Values(AcceptCase{"1", ',', true}, AcceptCase{"1440", '.', true}, AcceptCase{"-", ',', true},
                    AcceptCase{" 360 ", ',', true}, AcceptCase{"1e3", ',', true}, AcceptCase{"1,5", ',', true},
                    AcceptCase{"1.5", '.', true}, AcceptCase{"0", ',', false}, AcceptCase{"1441", ',', false},
                    AcceptCase{"0.5", '.', false}, AcceptCase{"0,5", ',', false}, AcceptCase{"1440.5", '.', false},
                    AcceptCase{"1440,6", ',', false}, AcceptCase{"0.99999", '.', false}, AcceptCase{"", ',', false},
                    AcceptCase{" -", ',', false}, AcceptCase{"- ", ',', false}, AcceptCase{"--", ',', false},
                    AcceptCase{"abc", ',', false}, AcceptCase{"1.5", ',', false}, AcceptCase{"-5", ',', false},
                    AcceptCase{"2e3", '.', false}));

struct ConvertCase {
  const char* text;
  char separator;
  std::optional<std::int32_t> milliseconds;
};

class IntervalToMilliseconds : public testing::TestWithParam<ConvertCase> {};

TEST_P(IntervalToMilliseconds, RoundsTiesToEvenAndChecksOverflow) {
  const ConvertCase& c = GetParam();
  EXPECT_EQ(intervalTextToMilliseconds(c.text, c.separator), c.milliseconds) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntervalToMilliseconds,
    testing::Values(ConvertCase{"1", ',', 60000}, ConvertCase{"5", ',', 300000}, ConvertCase{"360", ',', 21600000},
                    ConvertCase{"1440", '.', 86400000}, ConvertCase{"1,5", ',', 120000},
                    ConvertCase{"2,5", ',', 120000}, ConvertCase{"3.5", '.', 240000},
                    ConvertCase{"0.5", '.', 0}, ConvertCase{"1,4", ',', 60000}, ConvertCase{"1,6", ',', 120000},
                    ConvertCase{"-2,5", ',', -120000}, ConvertCase{"1e3", ',', 60000000},
                    ConvertCase{"35791", ',', 2147460000}, ConvertCase{"35792", ',', std::nullopt},
                    ConvertCase{"-35791", ',', -2147460000}, ConvertCase{"-35792", ',', std::nullopt},
                    ConvertCase{"1e10", ',', std::nullopt}, ConvertCase{"-", ',', std::nullopt},
                    ConvertCase{"1.5", ',', std::nullopt}, ConvertCase{"", ',', std::nullopt}));

struct FormatCase {
  std::int32_t milliseconds;
  char separator;
  const char* text;
};

class FormatIntervalMinutes : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatIntervalMinutes, GivesGeneralFormWithTheLocalesSeparator) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(formatIntervalMinutes(c.milliseconds, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatIntervalMinutes,
    testing::Values(FormatCase{21600000, ',', "360"}, FormatCase{86400000, '.', "1440"}, FormatCase{60000, ',', "1"},
                    FormatCase{100000, ',', "1,66666666666667"}, FormatCase{100000, '.', "1.66666666666667"},
                    FormatCase{90000, ',', "1,5"}, FormatCase{90000, '.', "1.5"}, FormatCase{-60000, ',', "-1"},
                    FormatCase{1, ',', "1,66666666666667E-05"},
                    FormatCase{std::numeric_limits<std::int32_t>::max(), ',', "35791,3941166667"}));

TEST(IntervalFieldText, ShowsTheMarkerForNoneZeroAndNonNumbers) {
  using registry::SettingValue;
  struct Case {
    SettingValue stored;
    const char* text;
  };
  const Case cases[] = {
      {SettingValue{}, "-"},
      {SettingValue{0}, "-"},
      {SettingValue{std::string()}, "-"},
      {SettingValue{std::string("admin")}, "-"},
      {SettingValue{std::string("0")}, "-"},
      {SettingValue{21600000}, "360"},
      {SettingValue{90000}, "1,5"},
      {SettingValue{std::string("21600000")}, "360"},
      {SettingValue{std::string(" 90000 ")}, "1,5"},
  };
  for (const Case& c : cases) EXPECT_EQ(intervalFieldText(c.stored, ','), c.text);
}

}  // namespace
}  // namespace marovel::settings
