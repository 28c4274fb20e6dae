#include <gtest/gtest.h>

#include "app/uStartup.h"
#include "base/uHandles.h"

using namespace qlm;

TEST(Instance, SecondCreationIsRefused) {
  THandle first(CreateInstanceMutex("QlmTestSecond"));
  ASSERT_TRUE(first.Valid());
  EXPECT_FALSE(IsMutexFree("Global\\QlmTestSecond.Running"));
  EXPECT_EQ(CreateInstanceMutex("QlmTestSecond"), nullptr);
  first.Reset();
  THandle again(CreateInstanceMutex("QlmTestSecond"));
  EXPECT_TRUE(again.Valid()) << "a closed mutex frees the name";
}

TEST(Instance, EitherNameTakenMeansAnotherCopy) {
  for (const char* name : {"Global\\QlmTestTaken.Running", "QlmTestTaken.Running"}) {
    THandle other(::CreateMutexA(nullptr, FALSE, name));
    ASSERT_TRUE(other.Valid());
    EXPECT_EQ(CreateInstanceMutex("QlmTestTaken"), nullptr) << name;
  }
}

TEST(Instance, LocalNameServesWhenTheGlobalCannotBeCreated) {
  // An event holding the global name: the mutex cannot be opened nor created
  // under it, so the local name must serve, and must refuse the next start.
  THandle blocker(::CreateEventA(nullptr, FALSE, FALSE, "Global\\QlmTestLocal.Running"));
  ASSERT_TRUE(blocker.Valid());
  THandle first(CreateInstanceMutex("QlmTestLocal"));
  ASSERT_TRUE(first.Valid());
  EXPECT_FALSE(IsMutexFree("QlmTestLocal.Running"));
  EXPECT_EQ(CreateInstanceMutex("QlmTestLocal"), nullptr);
}
