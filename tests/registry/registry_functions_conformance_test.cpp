// The six registry functions as the tool relies on them; the same source runs against the real
// registry and against the stand-in store.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "registry_test_support.h"
#include "scratch_registry.h"
#include "win32_registry.h"

namespace {

class RegistryFunctions : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(openKey(scratch.keyPath(), 0x3F, key), ERROR_SUCCESS); }

  std::string below(const std::string& name) const { return scratch.keyPath() + "\\" + name; }

  ScratchRegistry scratch;
  OpenedKey key;  // the scratch key, opened with 0x3F
};

struct NamePair {
  const char* created;
  const char* lookedUp;
  bool same;  // whether the registry takes both for one name
};

class NameCase : public RegistryFunctions, public testing::WithParamInterface<NamePair> {};

TEST_P(NameCase, KeyNamesMatchWithoutRegardToCase) {
  const NamePair& names = GetParam();
  OpenedKey created, again;
  DWORD disposition = 0;
  ASSERT_EQ(createKey(key.handle, names.created, created, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(createKey(key.handle, names.lookedUp, again, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, names.same ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY);
}

TEST_P(NameCase, ValueNamesMatchWithoutRegardToCase) {
  const NamePair& names = GetParam();
  ASSERT_EQ(writeRaw(key.handle, names.created, REG_SZ, bytesOf(std::string_view("first", 6))), ERROR_SUCCESS);
  ASSERT_EQ(writeRaw(key.handle, names.lookedUp, REG_SZ, bytesOf(std::string_view("second", 7))), ERROR_SUCCESS);
  RawValue first = readRaw(key.handle, names.created);
  ASSERT_EQ(first.result, ERROR_SUCCESS);
  EXPECT_EQ(first.data, bytesOf(std::string_view(names.same ? "second" : "first", names.same ? 7 : 6)));
  ASSERT_EQ(RegDeleteValueA(key.handle, names.lookedUp), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(key.handle, names.created).result, names.same ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS);
}

// Names in Windows-1252 bytes.
INSTANTIATE_TEST_SUITE_P(
    Cases, NameCase,
    testing::Values(NamePair{"MixedCase", "mixedcase", true}, NamePair{"MixedCase", "MIXEDCASE", true},
                    NamePair{"\xC4rger", "\xE4RGER", true},          // Ärger / äRGER
                    NamePair{"\x8Akoda", "\x9AKODA", true},          // Škoda / šKODA
                    NamePair{"\x8C" "uvre", "\x9C" "UVRE", true},    // Œuvre / œUVRE
                    NamePair{"\x9F" "x", "\xFF" "X", true},          // Ÿx / ÿX
                    NamePair{"\xDE" "orn", "\xFE" "ORN", true},      // Þorn / þORN
                    NamePair{"a\xF7", "a\xD7", false},               // ÷ and × are no pair
                    NamePair{"Ma\xDF", "MASS", false},               // ß has no one-letter upper case
                    NamePair{"Name", "Name2", false}));

struct MissingKeyCase {
  const char* path;
  REGSAM access;
};

class MissingKey : public RegistryFunctions, public testing::WithParamInterface<MissingKeyCase> {};

TEST_P(MissingKey, OpenFailsWithoutCreatingAnything) {
  HKEY opened = kSentinel;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, below(GetParam().path).c_str(), 0, GetParam().access | KEY_WOW64_32KEY,
                          &opened),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(opened, nullptr);
  OpenedKey parent;
  EXPECT_EQ(openKey(below("Missing"), KEY_READ, parent), ERROR_FILE_NOT_FOUND);
}

INSTANTIATE_TEST_SUITE_P(Cases, MissingKey,
                         testing::Values(MissingKeyCase{"Missing", 0x3F}, MissingKeyCase{"Missing", KEY_READ},
                                         MissingKeyCase{"Missing\\Deeper", 0x3F}));

TEST_F(RegistryFunctions, CreateMakesMissingIntermediateKeysOnce) {
  OpenedKey first, second, intermediate, sibling;
  DWORD disposition = 0;
  ASSERT_EQ(createKey(key.handle, "A\\B\\C", first, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(createKey(key.handle, "a\\b\\c", second, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(openKey(below("A\\B"), KEY_READ, intermediate), ERROR_SUCCESS);
  ASSERT_EQ(createKey(key.handle, "A\\D", sibling, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);

  // Both handles name the same key.
  ASSERT_EQ(writeRaw(first.handle, "v", REG_BINARY, {7}), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(second.handle, "v").data, Bytes{7});
}

TEST_F(RegistryFunctions, AnEmptySubkeyOpensTheSameKeyAgain) {
  for (const char* subkey : {static_cast<const char*>(nullptr), ""}) {
    OpenedKey again;
    ASSERT_EQ(RegOpenKeyExA(key.handle, subkey, 0, 0x3F, &again.handle), ERROR_SUCCESS);
    ASSERT_EQ(writeRaw(again.handle, "through", REG_BINARY, {1}), ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key.handle, "through").data, Bytes{1});
    ASSERT_EQ(RegCloseKey(again.handle), ERROR_SUCCESS);
    again.handle = nullptr;
    EXPECT_EQ(readRaw(key.handle, "through").result, ERROR_SUCCESS) << "closing the new handle keeps the old";
  }
}

struct StoredCase {
  const char* label;
  DWORD type;
  Bytes data;
};

class StoredData : public RegistryFunctions, public testing::WithParamInterface<StoredCase> {};

TEST_P(StoredData, IsReadBackByteForByteWithItsSize) {
  const StoredCase& stored = GetParam();
  const DWORD size = static_cast<DWORD>(stored.data.size());
  ASSERT_EQ(writeRaw(key.handle, "value", stored.type, stored.data), ERROR_SUCCESS);

  DWORD type = 0, queried = 12345;
  ASSERT_EQ(RegQueryValueExA(key.handle, "value", nullptr, &type, nullptr, &queried), ERROR_SUCCESS);
  EXPECT_EQ(type, stored.type);
  EXPECT_EQ(queried, size);

  Bytes exact(size + 1, 0xEE);
  DWORD exactSize = size;
  ASSERT_EQ(RegQueryValueExA(key.handle, "value", nullptr, nullptr, exact.data(), &exactSize), ERROR_SUCCESS);
  EXPECT_EQ(exactSize, size);
  EXPECT_EQ(Bytes(exact.begin(), exact.begin() + size), stored.data);
  EXPECT_EQ(exact[size], 0xEE) << "nothing written past the data";

  if (size > 0) {
    Bytes small(size);  // never empty, so that the call is not a size query
    DWORD smallSize = size - 1;
    EXPECT_EQ(RegQueryValueExA(key.handle, "value", nullptr, &type, small.data(), &smallSize), ERROR_MORE_DATA);
    EXPECT_EQ(smallSize, size);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredData,
    testing::Values(StoredCase{"SzOfNoBytes", REG_SZ, {}}, StoredCase{"SzEmpty", REG_SZ, {0}},
                    StoredCase{"SzAbc", REG_SZ, {'a', 'b', 'c', 0}},
                    StoredCase{"SzUmlaut", REG_SZ, {'M', 0xFC, 'l', 'l', 'e', 'r', 0}},
                    StoredCase{"DwordZero", REG_DWORD, {0, 0, 0, 0}},
                    StoredCase{"DwordMinusOne", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
                    StoredCase{"ExpandSz", REG_EXPAND_SZ, {'%', 'X', '%', 0}},
                    StoredCase{"Binary", REG_BINARY, {0, 1, 0xFF}}, StoredCase{"BinaryEmpty", REG_BINARY, {}}),
    [](const testing::TestParamInfo<StoredCase>& info) { return std::string(info.param.label); });

TEST_F(RegistryFunctions, ANewTypeReplacesTheOldValue) {
  ASSERT_EQ(writeRaw(key.handle, "v", REG_SZ, {'a', 'b', 'c', 0}), ERROR_SUCCESS);
  ASSERT_EQ(writeRaw(key.handle, "V", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  RawValue value = readRaw(key.handle, "v");
  EXPECT_EQ(value.type, REG_DWORD);
  EXPECT_EQ(value.data, (Bytes{1, 0, 0, 0}));
}

TEST_F(RegistryFunctions, TheDefaultValueHasAnEmptyOrNoName) {
  ASSERT_EQ(writeRaw(key.handle, nullptr, REG_SZ, {'d', 0}), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(key.handle, "").data, (Bytes{'d', 0}));
  ASSERT_EQ(RegDeleteValueA(key.handle, ""), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(key.handle, nullptr).result, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryFunctions, DeletingAValueRemovesOnlyThatValue) {
  ASSERT_EQ(writeRaw(key.handle, "gone", REG_BINARY, {1}), ERROR_SUCCESS);
  ASSERT_EQ(writeRaw(key.handle, "kept", REG_BINARY, {2}), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key.handle, "gone"), ERROR_SUCCESS);
  EXPECT_EQ(readRaw(key.handle, "gone").result, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key.handle, "gone"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key.handle, "never"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(readRaw(key.handle, "kept").data, Bytes{2});
}

TEST_F(RegistryFunctions, AKeyOpenedForReadingRefusesWrites) {
  ASSERT_EQ(writeRaw(key.handle, "v", REG_BINARY, {1}), ERROR_SUCCESS);
  OpenedKey reader;
  ASSERT_EQ(openKey(scratch.keyPath(), KEY_READ, reader), ERROR_SUCCESS);
  EXPECT_EQ(writeRaw(reader.handle, "v", REG_BINARY, {2}), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(reader.handle, "v"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(readRaw(reader.handle, "v").data, Bytes{1});
}

// A flush needs no access rights; HKEY_LOCAL_MACHINE flushes as well.
TEST_F(RegistryFunctions, FlushingKeepsWhatWasWrittenThroughAnyHandle) {
  ASSERT_EQ(writeRaw(key.handle, "kept", REG_BINARY, {3}), ERROR_SUCCESS);
  OpenedKey reader;
  ASSERT_EQ(openKey(scratch.keyPath(), KEY_QUERY_VALUE, reader), ERROR_SUCCESS);
  for (HKEY handle : {key.handle, reader.handle, HKEY_LOCAL_MACHINE}) {
    EXPECT_EQ(RegFlushKey(handle), ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key.handle, "kept").data, Bytes{3});
  }
}

TEST_F(RegistryFunctions, HandleZeroIsInvalid) {
  for (const auto& [name, call] : callsOnAHandle()) EXPECT_EQ(call(nullptr), ERROR_INVALID_HANDLE) << name;
  // It is refused before the result variable is touched.
  HKEY result = kSentinel;
  EXPECT_EQ(RegOpenKeyExA(nullptr, "", 0, KEY_READ, &result), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCreateKeyExA(nullptr, "New", 0, nullptr, 0, 0x3F, nullptr, &result, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(result, kSentinel);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryFunctions, AKeyDeletedWhileOpenRefusesAllButClosing) {
  OpenedKey doomed;
  ASSERT_EQ(createKey(key.handle, "Doomed", doomed), ERROR_SUCCESS);
  ASSERT_EQ(writeRaw(doomed.handle, "v", REG_BINARY, {1}), ERROR_SUCCESS);
  scratch.deleteKey("Doomed");
  for (const auto& [name, call] : callsOnAHandle()) EXPECT_EQ(call(doomed.handle), ERROR_KEY_DELETED) << name;
  EXPECT_EQ(RegCloseKey(doomed.handle), ERROR_SUCCESS);
  doomed.handle = nullptr;
}

struct PathCase {
  const char* label;
  const char* path;
  LONG result;
};

class KeyPathForm : public RegistryFunctions, public testing::WithParamInterface<PathCase> {};

TEST_P(KeyPathForm, RepeatedSeparatorsCountAsOneAndALeadingOneIsRefused) {
  OpenedKey created, opened;
  ASSERT_EQ(createKey(key.handle, "A\\B", created), ERROR_SUCCESS);
  ASSERT_EQ(writeRaw(created.handle, "id", REG_BINARY, {7}), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(key.handle, GetParam().path, 0, 0x3F, &opened.handle), GetParam().result);
  if (GetParam().result == ERROR_SUCCESS) {
    EXPECT_EQ(readRaw(opened.handle, "id").data, Bytes{7});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyPathForm,
    testing::Values(PathCase{"Plain", "A\\B", ERROR_SUCCESS}, PathCase{"Doubled", "a\\\\B", ERROR_SUCCESS},
                    PathCase{"Tripled", "A\\\\\\b", ERROR_SUCCESS}, PathCase{"Trailing", "A\\B\\", ERROR_SUCCESS},
                    PathCase{"TwoTrailing", "A\\B\\\\", ERROR_SUCCESS},
                    PathCase{"Leading", "\\A\\B", ERROR_BAD_PATHNAME}, PathCase{"OnlySeparator", "\\", ERROR_BAD_PATHNAME},
                    PathCase{"DoubledToMissing", "A\\\\C", ERROR_FILE_NOT_FOUND}),
    [](const testing::TestParamInfo<PathCase>& info) { return std::string(info.param.label); });

TEST_F(RegistryFunctions, CreatingThroughRepeatedSeparatorsMakesOneKeyPerName) {
  OpenedKey created, opened, refused;
  ASSERT_EQ(createKey(key.handle, "X\\\\Y\\", created), ERROR_SUCCESS);
  EXPECT_EQ(openKey(below("X\\Y"), KEY_READ, opened), ERROR_SUCCESS);
  EXPECT_EQ(createKey(key.handle, "\\Z", refused), ERROR_BAD_PATHNAME);
  EXPECT_EQ(openKey(below("Z"), KEY_READ, refused), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryFunctions, NamesLongerThanTheRegistryTakesAreRefused) {
  struct Case {
    std::size_t length;
    LONG result;
  };
  for (Case c : {Case{256, ERROR_SUCCESS}, Case{257, ERROR_INVALID_PARAMETER}}) {
    OpenedKey created, opened;
    EXPECT_EQ(createKey(key.handle, std::string(c.length, 'k'), created), c.result) << "key name of " << c.length;
    EXPECT_EQ(RegOpenKeyExA(key.handle, std::string(c.length, 'K').c_str(), 0, KEY_READ, &opened.handle), c.result)
        << "key name of " << c.length;
  }
  for (Case c : {Case{16383, ERROR_SUCCESS}, Case{16384, ERROR_INVALID_PARAMETER}}) {
    const std::string name(c.length, 'v');
    EXPECT_EQ(writeRaw(key.handle, name.c_str(), REG_BINARY, {1}), c.result) << "value name of " << c.length;
    EXPECT_EQ(readRaw(key.handle, name.c_str()).result, c.result == ERROR_SUCCESS ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
  }
}

TEST_F(RegistryFunctions, CreateRefusesANonZeroReservedArgument) {
  OpenedKey created;
  EXPECT_EQ(RegCreateKeyExA(key.handle, "R", 1, nullptr, 0, 0x3F, nullptr, &created.handle, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(openKey(below("R"), KEY_READ, created), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryFunctions, CreatingASubkeyNeedsNoRightsOnTheParentHandle) {
  OpenedKey reader, child;
  DWORD disposition = 0;
  ASSERT_EQ(openKey(scratch.keyPath(), KEY_QUERY_VALUE, reader), ERROR_SUCCESS);
  ASSERT_EQ(createKey(reader.handle, "Child", child, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(writeRaw(child.handle, "v", REG_BINARY, {1}), ERROR_SUCCESS) << "the new handle has what it asked for";
}

struct UnterminatedCase {
  const char* label;
  DWORD type;
  Bytes data;
  bool nulAppended;
};

class ReadIntoRoom : public RegistryFunctions, public testing::WithParamInterface<UnterminatedCase> {};

TEST_P(ReadIntoRoom, ATextWithoutItsNulGetsOneWhenTheBufferHasRoom) {
  const UnterminatedCase& c = GetParam();
  ASSERT_EQ(writeRaw(key.handle, "value", c.type, c.data), ERROR_SUCCESS);
  const DWORD stored = static_cast<DWORD>(c.data.size());
  Bytes buffer(stored + 2, 0xEE);
  DWORD size = static_cast<DWORD>(buffer.size());
  ASSERT_EQ(RegQueryValueExA(key.handle, "value", nullptr, nullptr, buffer.data(), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, stored) << "the size stays that of the stored data";
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + stored), c.data);
  EXPECT_EQ(buffer[stored], c.nulAppended ? 0 : 0xEE);
  EXPECT_EQ(buffer[stored + 1], 0xEE);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadIntoRoom,
                         testing::Values(UnterminatedCase{"Sz", REG_SZ, {'a', 'b', 'c'}, true},
                                         UnterminatedCase{"ExpandSz", REG_EXPAND_SZ, {'%', 'X'}, true},
                                         UnterminatedCase{"MultiSz", REG_MULTI_SZ, {'a', 0, 'b'}, true},
                                         UnterminatedCase{"TerminatedSz", REG_SZ, {'a', 0}, false},
                                         UnterminatedCase{"SzOfNoBytes", REG_SZ, {}, false},
                                         UnterminatedCase{"Binary", REG_BINARY, {'a', 'b'}, false},
                                         UnterminatedCase{"Dword", REG_DWORD, {1, 0, 0, 0}, false}),
                         [](const testing::TestParamInfo<UnterminatedCase>& info) {
                           return std::string(info.param.label);
                         });

// One row per detail in which the registry answers a call: the calls' results and what they
// wrote back, in order, as numbers (a yes is 1).
using Outcome = std::vector<std::int64_t>;

struct CallCase {
  const char* label;
  std::function<Outcome(HKEY key, const std::string& keyPath)> calls;
  Outcome expected;
};

// "ThisNeverBreaks" given with 15 bytes, its NUL left out of the count, as each text type.
Outcome textsSetWithoutTheirNul(HKEY key, const std::string&) {
  static const char text[] = "ThisNeverBreaks";
  Outcome outcome;
  for (DWORD type : {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ}) {
    const LONG set = RegSetValueExA(key, "v", 0, type, reinterpret_cast<const BYTE*>(text), 15);
    Bytes buffer(15);
    DWORD given = 15;
    const LONG small = RegQueryValueExA(key, "v", nullptr, nullptr, buffer.data(), &given);
    outcome.insert(outcome.end(), {set, readRaw(key, "v").data == Bytes(text, text + 16), small, given});
  }
  return outcome;
}

// Without a buffer, then with one.
Outcome missingValueQueried(HKEY key, const std::string&) {
  DWORD type = 0, size = 10, sizeWithBuffer = 10;
  BYTE buffer[10];
  return {RegQueryValueExA(key, "missing", nullptr, &type, nullptr, &size), size,
          RegQueryValueExA(key, "missing", nullptr, &type, buffer, &sizeWithBuffer), sizeWithBuffer};
}

Outcome typeAndSizeInOneVariable(HKEY key, const std::string&) {
  writeRaw(key, "bin", REG_BINARY, {1, 2, 3, 4});
  BYTE buffer[4];
  DWORD typeAndSize = 4;
  return {RegQueryValueExA(key, "bin", nullptr, &typeAndSize, buffer, &typeAndSize), typeAndSize};
}

// No subkey, then an empty one.
Outcome rootOpenedWithoutASubkey(HKEY, const std::string&) {
  Outcome outcome;
  for (LPCSTR subkey : {static_cast<LPCSTR>(nullptr), ""}) {
    HKEY opened = kSentinel;
    outcome.insert(outcome.end(), {RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &opened),
                                   opened == HKEY_LOCAL_MACHINE});
  }
  return outcome;
}

// 0x80000002 with no, all and some of the high 32 bits set.
Outcome rootKnownByItsLowBits(HKEY, const std::string& keyPath) {
  Outcome outcome;
  for (std::uint64_t highBits : {0x0ull, 0xFFFFFFFFull, 0xDEADBEEFull}) {
    OpenedKey opened;
    const auto root = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(highBits << 32 | 0x80000002u));
    outcome.push_back(RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened.handle));
  }
  return outcome;
}

// A volatile key, found again, then a key that is not volatile below it.
Outcome volatileKeyCreated(HKEY key, const std::string&) {
  OpenedKey created, found, child;
  return {RegCreateKeyExA(key, "Volatile", 0, nullptr, REG_OPTION_VOLATILE, 0x3F, nullptr, &created.handle, nullptr),
          RegOpenKeyExA(key, "Volatile", 0, KEY_READ, &found.handle), createKey(created.handle, "Child", child)};
}

#ifdef _WIN32
const Outcome kVolatileKeyKept = {ERROR_SUCCESS, ERROR_SUCCESS, ERROR_CHILD_MUST_BE_VOLATILE};
#else
// The stand-in refuses the option and creates nothing (see the README).
const Outcome kVolatileKeyKept = {ERROR_INVALID_PARAMETER, ERROR_FILE_NOT_FOUND, ERROR_INVALID_HANDLE};
#endif

// Every right on a key the caller may change: open, write, read, create below, delete.
Outcome maximumAllowed(HKEY key, const std::string& keyPath) {
  OpenedKey opened, created;
  return {RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, MAXIMUM_ALLOWED | KEY_WOW64_32KEY, &opened.handle),
          writeRaw(opened.handle, "m", REG_BINARY, {1}), readRaw(opened.handle, "m").result,
          RegCreateKeyExA(key, "Max", 0, nullptr, 0, MAXIMUM_ALLOWED, nullptr, &created.handle, nullptr),
          RegDeleteValueA(opened.handle, "m")};
}

const CallCase kCallCases[] = {
    {"TextsSetWithoutTheirNulKeepIt",
     textsSetWithoutTheirNul,
     {0, true, ERROR_MORE_DATA, 16, 0, true, ERROR_MORE_DATA, 16, 0, true, ERROR_MORE_DATA, 16}},
    {"MissingValueSizeIsZeroWithoutABuffer", missingValueQueried, {ERROR_FILE_NOT_FOUND, 0, ERROR_FILE_NOT_FOUND, 10}},
    {"TypeAndSizeInOneVariable", typeAndSizeInOneVariable, {ERROR_SUCCESS, 4}},
    {"RootWithoutASubkeyIsItself", rootOpenedWithoutASubkey, {ERROR_SUCCESS, true, ERROR_SUCCESS, true}},
    {"RootKnownByItsLowBits", rootKnownByItsLowBits, {ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS}},
    {"VolatileKey", volatileKeyCreated, kVolatileKeyKept},
    {"MaximumAllowed", maximumAllowed, {ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS}},
};

class CallDetail : public RegistryFunctions, public testing::WithParamInterface<CallCase> {};

TEST_P(CallDetail, AnswersAsTheRegistryDoes) {
  EXPECT_EQ(GetParam().calls(key.handle, scratch.keyPath()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Calls, CallDetail, testing::ValuesIn(kCallCases),
                         [](const testing::TestParamInfo<CallCase>& info) { return std::string(info.param.label); });

}  // namespace
