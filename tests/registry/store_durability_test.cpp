// Writers that run at once or die midway lose nothing that they had finished.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <random>
#include <set>
#include <string>

#include "child_process.h"
#include "standin_store.h"
#include "store_integrity.h"
#include "temporary_store.h"
#include "writer_key.h"

namespace {

using marovel::standin::Session;

std::set<std::string> storedNames(const std::string& store) {
  Session session(store, Session::Mode::Read);
  std::set<std::string> names;
  for (const auto& value : session.values(kWriterKey)) names.insert(value.name);
  return names;
}

TEST(StoreDurability, TwoWritersAtOnceKeepEveryValue) {
  TemporaryStore store;
  constexpr int kEach = 2000;
  ChildProcess first({STANDIN_WRITER, "first-", std::to_string(kEach)});
  ChildProcess second({STANDIN_WRITER, "second-", std::to_string(kEach)});
  EXPECT_EQ(first.wait(), 0);
  EXPECT_EQ(second.wait(), 0);

  std::set<std::string> names = storedNames(store.path());
  EXPECT_EQ(names.size(), 2u * kEach);
  for (int n = 0; n < kEach; n += 199) {
    EXPECT_TRUE(names.count("first-" + std::to_string(n))) << n;
    EXPECT_TRUE(names.count("second-" + std::to_string(n))) << n;
  }
}

TEST(StoreDurability, AWriterKilledMidwayLeavesAnIntactStoreWithAllItReported) {
  TemporaryStore store;
  std::random_device seedSource;
  const unsigned seed = seedSource();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> linesBeforeKill(0, 8);
  std::uniform_int_distribution<int> microsecondsBeforeKill(0, 4000);

  {
    // The store exists from the start, so that a writer killed before its first write
    // still leaves one to check.
    Session session(store.path(), Session::Mode::Write);
    session.createKey(kWriterKey);
    session.commit();
  }
  std::set<std::string> reported;
  for (int run = 0; run < 50; ++run) {
    ChildProcess writer({STANDIN_WRITER, "run" + std::to_string(run) + "-", "1000000", "report"});
    for (int lines = linesBeforeKill(random); lines > 0; --lines) {
      if (auto name = writer.readLine()) reported.insert(*name);
    }
    usleep(static_cast<useconds_t>(microsecondsBeforeKill(random)));
    writer.kill(SIGKILL);
    while (auto name = writer.readLine()) reported.insert(*name);
    ASSERT_EQ(writer.wait(), 128 + SIGKILL) << "run " << run;

    ASSERT_EQ(integrityOf(store.path()), "ok") << "run " << run;
    std::set<std::string> stored = storedNames(store.path());
    for (const auto& name : reported) ASSERT_TRUE(stored.count(name)) << name << " is lost after run " << run;
  }
  EXPECT_FALSE(reported.empty());
}

}  // namespace
