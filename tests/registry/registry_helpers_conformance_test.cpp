// The five registry routines over the six registry functions; the same source runs against the
// real registry and against the stand-in store.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>

#include "registry_helpers.h"
#include "registry_test_support.h"
#include "scratch_registry.h"
#include "setting_value.h"
#include "win32_registry.h"

namespace marovel::registry {
namespace {

class RegistryRoutines : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(openKey(scratch.keyPath(), 0x3F, key), ERROR_SUCCESS); }

  std::string below(const std::string& name) const { return scratch.keyPath() + "\\" + name; }

  ScratchRegistry scratch;
  OpenedKey key;
};

struct Written {
  DWORD type;
  Bytes data;
};

struct WriteCase {
  const char* label;
  SettingValue value;
  DWORD type;
  bool succeeds;
  std::optional<Written> stored;  // none: nothing written
};

class SetValueExWrites : public RegistryRoutines, public testing::WithParamInterface<WriteCase> {};

TEST_P(SetValueExWrites, StoresTheValuesBytes) {
  const WriteCase& c = GetParam();
  LONG result = SetValueEx(key.handle, "value", c.type, c.value);
  EXPECT_EQ(result == ERROR_SUCCESS, c.succeeds) << "result " << result;
  RawValue raw = readRaw(key.handle, "value");
  if (!c.stored) {
    EXPECT_EQ(raw.result, ERROR_FILE_NOT_FOUND);
    return;
  }
  ASSERT_EQ(raw.result, ERROR_SUCCESS);
  EXPECT_EQ(raw.type, c.stored->type);
  EXPECT_EQ(raw.data, c.stored->data);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetValueExWrites,
    testing::Values(
        WriteCase{"TextWithItsNul", std::string("abc"), REG_SZ, true, Written{REG_SZ, {'a', 'b', 'c', 0}}},
        WriteCase{"EmptyTextIsOneNul", std::string(), REG_SZ, true, Written{REG_SZ, {0}}},
        WriteCase{"NoValueAsText", std::monostate{}, REG_SZ, true, Written{REG_SZ, {0}}},
        WriteCase{"NumberAsText", std::int32_t{7}, REG_SZ, true, Written{REG_SZ, {'7', 0}}},
        WriteCase{"UmlautInAnsi", std::string("M\xC3\xBCller"), REG_SZ, true,
                  Written{REG_SZ, {'M', 0xFC, 'l', 'l', 'e', 'r', 0}}},
        WriteCase{"EuroSignInAnsi", std::string("x\xE2\x82\xAC"), REG_SZ, true, Written{REG_SZ, {'x', 0x80, 0}}},
        WriteCase{"DwordZero", std::int32_t{0}, REG_DWORD, true, Written{REG_DWORD, {0, 0, 0, 0}}},
        WriteCase{"DwordMinusOne", std::int32_t{-1}, REG_DWORD, true, Written{REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}},
        WriteCase{"DwordOfNoValue", std::monostate{}, REG_DWORD, true, Written{REG_DWORD, {0, 0, 0, 0}}},
        WriteCase{"DwordOfNumberText", std::string("360"), REG_DWORD, true, Written{REG_DWORD, {0x68, 1, 0, 0}}},
        WriteCase{"NotANumberWritesNothing", std::string("x"), REG_DWORD, false, std::nullopt},
        WriteCase{"BinaryIsNotWritten", std::string("abc"), REG_BINARY, true, std::nullopt},
        WriteCase{"ExpandSzIsNotWritten", std::string("%X%"), REG_EXPAND_SZ, true, std::nullopt},
        WriteCase{"OmegaHasNoAnsiForm", std::string("\xCE\xA9"), REG_SZ, false, std::nullopt},
        WriteCase{"HanHasNoAnsiForm", std::string("a\xE4\xB8\xAD"), REG_SZ, false, std::nullopt}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.label); });

struct ReadCase {
  const char* label;
  DWORD type;
  Bytes data;
  SettingValue expected;
};

// 299 letters and a NUL.
Bytes longText() {
  Bytes text(299, 'x');
  text.push_back(0);
  return text;
}

class StoredValueReads : public RegistryRoutines, public testing::WithParamInterface<ReadCase> {};

TEST_P(StoredValueReads, QueryValueGivesTheSettingValue) {
  const ReadCase& c = GetParam();
  ASSERT_EQ(writeRaw(key.handle, "value", c.type, c.data), ERROR_SUCCESS);
  EXPECT_EQ(QueryValue(scratch.keyPath(), "value"), c.expected);
}

TEST_P(StoredValueReads, QueryValueExKeepsTheValueItCannotRead) {
  const ReadCase& c = GetParam();
  ASSERT_EQ(writeRaw(key.handle, "value", c.type, c.data), ERROR_SUCCESS);
  SettingValue value = std::string("as before");
  SettingValue result = QueryValueEx(key.handle, "value", value);
  EXPECT_EQ(value, isEmpty(c.expected) ? SettingValue(std::string("as before")) : c.expected);
  EXPECT_EQ(result, value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredValueReads,
    testing::Values(ReadCase{"Text", REG_SZ, {'a', 'b', 'c', 0}, std::string("abc")},
                    ReadCase{"EmptyText", REG_SZ, {0}, std::string()},
                    ReadCase{"TextOfNoBytes", REG_SZ, {}, std::monostate{}},
                    ReadCase{"TextWithoutNul", REG_SZ, {'a', 'b', 'c'}, std::string("abc")},
                    ReadCase{"AnsiUmlaut", REG_SZ, {'M', 0xFC, 'l', 'l', 'e', 'r', 0}, std::string("M\xC3\xBCller")},
                    ReadCase{"DwordZero", REG_DWORD, {0, 0, 0, 0}, std::int32_t{0}},
                    ReadCase{"DwordMinusOne", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, std::int32_t{-1}},
                    ReadCase{"DwordSixHours", REG_DWORD, {0x00, 0x97, 0x49, 0x01}, std::int32_t{21600000}},
                    ReadCase{"DwordOfTwoBytes", REG_DWORD, {1, 0}, std::monostate{}},
                    ReadCase{"ExpandSz", REG_EXPAND_SZ, {'%', 'X', '%', 0}, std::monostate{}},
                    ReadCase{"Binary", REG_BINARY, {1, 0, 0, 0}, std::monostate{}},
                    ReadCase{"MultiSz", REG_MULTI_SZ, {'a', 0, 0}, std::monostate{}},
                    // Longer than a first read takes: a second, sized read follows.
                    ReadCase{"LongText", REG_SZ, longText(), std::string(299, 'x')},
                    ReadCase{"LongBinary", REG_BINARY, Bytes(300, 1), std::monostate{}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.label); });

TEST_F(RegistryRoutines, MissingKeysAndValuesReadAsEmpty) {
  EXPECT_EQ(QueryValue(below("Missing"), "value"), SettingValue());
  EXPECT_EQ(QueryValue(scratch.keyPath(), "missing"), SettingValue());
  SettingValue kept = std::int32_t{5};
  EXPECT_EQ(QueryValueEx(key.handle, "missing", kept), SettingValue(std::int32_t{5}));
  EXPECT_EQ(QueryValueEx(nullptr, "missing", kept), SettingValue(std::int32_t{5}));
}

TEST_F(RegistryRoutines, SetKeyValueWritesAnExistingKeyWhateverItsCase) {
  const std::string email = "M\xC3\xBCller@example.de";
  std::string upperCasePath = scratch.keyPath();
  for (char& c : upperCasePath) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  SetKeyValue(upperCasePath, "szEmailAddress", email, REG_SZ);
  SetKeyValue(scratch.keyPath(), "dwNumber", std::int32_t{7200000}, REG_DWORD);
  EXPECT_EQ(QueryValue(scratch.keyPath(), "SZEMAILADDRESS"), SettingValue(email));
  EXPECT_EQ(QueryValue(upperCasePath, "dwnumber"), SettingValue(std::int32_t{7200000}));
  EXPECT_EQ(readRaw(key.handle, "szEmailAddress").data, bytesOf(std::string_view("M\xFCller@example.de", 18)));
}

TEST_F(RegistryRoutines, SetKeyValueOnAMissingKeyCreatesNothing) {
  SetKeyValue(below("Missing\\Deeper"), "value", std::string("x"), REG_SZ);
  SetKeyValue(below("Missing"), "value", std::int32_t{1}, REG_DWORD);
  OpenedKey missing;
  EXPECT_EQ(openKey(below("Missing"), KEY_READ, missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(readRaw(key.handle, "value").result, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryRoutines, CreateKeyCreatesOrOpens) {
  EXPECT_TRUE(CreateKey("A\\B", key.handle));
  EXPECT_TRUE(CreateKey("a\\b", key.handle));
  EXPECT_TRUE(CreateKey(below("C"), HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(CreateKey("D", nullptr));
  OpenedKey created;
  EXPECT_EQ(openKey(below("A\\B"), KEY_READ, created), ERROR_SUCCESS);
  EXPECT_EQ(openKey(below("C"), KEY_READ, created), ERROR_SUCCESS);
}

}  // namespace
}  // namespace marovel::registry
