// The administration sessions over the stand-in store.
#include <gtest/gtest.h>

#include "registry_test_support.h"
#include "standin_store.h"
#include "temporary_store.h"

namespace {

using marovel::standin::Session;
using marovel::standin::StoreError;
using marovel::standin::StoredValue;

const Bytes kData{1, 2, 3};

std::vector<std::string> valueNames(Session& session, std::string_view path) {
  std::vector<std::string> names;
  for (const StoredValue& value : session.values(path)) names.push_back(value.name);
  return names;
}

LONG errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const StoreError& error) {
    return error.code();
  }
  return ERROR_SUCCESS;
}

class Sessions : public testing::Test {
 protected:
  Session writer() { return Session(store.path(), Session::Mode::Write); }
  Session reader() { return Session(store.path(), Session::Mode::Read); }

  TemporaryStore store;
};

TEST_F(Sessions, OnlyACommitKeepsWhatASessionDid) {
  {
    Session session = writer();
    session.createKey("Software\\Kept");
    session.commit();
    session.createKey("Software\\Dropped");
    session.setValue("Software\\Kept", "dropped", REG_BINARY, kData);
    EXPECT_TRUE(session.storedKeyPath("Software\\Dropped")) << "a session sees its own writes";
    EXPECT_EQ(valueNames(session, "Software\\Kept"), std::vector<std::string>{"dropped"});
  }
  Session session = reader();
  EXPECT_TRUE(session.storedKeyPath("Software\\Kept"));
  EXPECT_FALSE(session.storedKeyPath("Software\\Dropped"));
  EXPECT_TRUE(session.values("Software\\Kept").empty());
}

TEST_F(Sessions, DeletingAKeyRemovesEverythingBelowItAndNothingElse) {
  Session session = writer();
  for (const char* path : {"A\\B\\C", "A\\B\\D", "A\\E", "AB", "A2"}) {
    session.createKey(path);
    session.setValue(path, "v", REG_BINARY, kData);
  }
  session.commit();
  OpenedKey deep;
  ASSERT_EQ(openKey("A\\B\\C", KEY_READ, deep), ERROR_SUCCESS);

  EXPECT_TRUE(session.deleteKey("a\\b"));
  EXPECT_FALSE(session.deleteKey("a\\b"));
  session.commit();

  EXPECT_EQ(readRaw(deep.handle, "v").result, ERROR_KEY_DELETED);
  Session after = reader();
  EXPECT_EQ(after.subkeys("A"), std::vector<std::string>{"E"});
  EXPECT_EQ(after.subkeys(""), (std::vector<std::string>{"A", "A2", "AB"}));
  EXPECT_FALSE(after.storedKeyPath("A\\B\\C"));
  EXPECT_EQ(valueNames(after, "A\\E"), std::vector<std::string>{"v"});
}

TEST_F(Sessions, NamesKeepTheCaseTheyWereCreatedWithAndSortWithoutIt) {
  Session session = writer();
  session.createKey("Software\\MiXed");
  session.createKey("SOFTWARE\\mixed\\Sub");
  // Windows-1252: ä, Z, c, b, A and the same name again in other case.
  for (const char* name : {"\xE4", "Z", "c", "b", "A", "C"}) {
    session.setValue("software\\MIXED", name, REG_BINARY, Bytes{std::uint8_t(name[0] == 'C' ? 9 : 1)});
  }
  session.commit();

  Session check = reader();
  EXPECT_EQ(check.storedKeyPath("software\\MIXED\\sub"), "Software\\MiXed\\Sub");
  EXPECT_EQ(check.subkeys("software"), std::vector<std::string>{"MiXed"});
  EXPECT_EQ(valueNames(check, "Software\\MiXed"), (std::vector<std::string>{"A", "b", "c", "Z", "\xE4"}));
  EXPECT_EQ(check.values("Software\\MiXed")[2].data, std::vector<std::uint8_t>{9});
}

TEST_F(Sessions, RefuseWhatTheyCannotDo) {
  writer().createKey("Software");  // not committed: the store exists, the key does not
  const std::vector<std::pair<const char*, std::function<void()>>> refused = {
      {"value on a missing key", [&] { writer().setValue("Software\\Missing", "v", REG_SZ, kData); }},
      {"list a missing key", [&] { reader().subkeys("Software\\Missing"); }},
      {"values of a missing key", [&] { reader().values("Software\\Missing"); }},
      {"write in a read session", [&] { reader().createKey("Software\\New"); }},
      {"delete the root", [&] { writer().deleteKey(""); }},
      {"leading separator", [&] { writer().createKey("\\Software\\New"); }},
  };
  const std::vector<LONG> codes = {ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND,
                                   ERROR_ACCESS_DENIED,  ERROR_ACCESS_DENIED,  ERROR_BAD_PATHNAME};
  for (std::size_t n = 0; n < refused.size(); ++n) EXPECT_EQ(errorOf(refused[n].second), codes[n]) << refused[n].first;
  EXPECT_FALSE(writer().deleteValue("Software\\Missing", "v"));
}

}  // namespace
