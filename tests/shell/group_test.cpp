/*
 * group_test.cpp --
 *
 *	Tests of groups and the registry: ownership of databases, reset in
 *	place, restart and clearing of the registry.
 */

#include <gtest/gtest.h>
#include <string>

#include "shell/group.h"
#include "support/fake_database.h"
#include "support/tcl_fixture.h"

namespace {

class GroupTest : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    Pdb_InitRegistry();
  }
  void TearDown() override {
    Pdb_ClearRegistry();
    TclInterpTest::TearDown();
  }
};

TEST_F(GroupTest, resetDestroysTheDatabasesAndKeepsNameAndCounters) {
  int destroyed = 0;
  Pdb_Group *group = Pdb_NewGroup();
  std::string name = group->name;
  int counter = pdbRegistry.nameCounter;
  group->addDatabase("zq_pdb1", new FakeDatabase(nullptr, "a", &destroyed));
  group->addDatabase("zq_pdb2", new FakeDatabase(nullptr, "b", &destroyed));
  Tcl_CreateHashEntry(&group->hidden->categories, "/hidden/", nullptr);
  ASSERT_NE(group->findDatabase("zq_pdb2"), nullptr);

  group->reset();
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(group->name, name);
  EXPECT_EQ(pdbRegistry.nameCounter, counter);
  EXPECT_EQ(group->findDatabase("zq_pdb1"), nullptr);
  EXPECT_EQ(group->hidden->categories.numEntries, 0);
  EXPECT_EQ(group->hidden->filter, 1);
  EXPECT_EQ(Pdb_FindGroup(interp, name.c_str()), group);
}

TEST_F(GroupTest, addDatabaseUnderATakenHandleDestroysTheOldOne) {
  int destroyed = 0;
  Pdb_Group *group = Pdb_NewGroup();
  FakeDatabase *second = new FakeDatabase(nullptr, "b", &destroyed);
  group->addDatabase("zq_pdb1", new FakeDatabase(nullptr, "a", &destroyed));
  group->addDatabase("zq_pdb1", second);
  EXPECT_EQ(destroyed, 1);
  group->addDatabase("zq_pdb1", second);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(group->findDatabase("zq_pdb1"), second);
  group->reset(); /* while the counter is still in scope */
  EXPECT_EQ(destroyed, 2);
}

TEST_F(GroupTest, restartingTheRegistryDestroysEarlierGroupsAndCountsOn) {
  int destroyed = 0;
  pdbRegistry.current->addDatabase("zq_pdb1",
                                   new FakeDatabase(nullptr, "a", &destroyed));
  int next = pdbRegistry.nameCounter;
  Pdb_InitRegistry();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(pdbRegistry.groups.numEntries, 1);
  EXPECT_EQ(pdbRegistry.current->name, "group" + std::to_string(next));
  EXPECT_EQ(Pdb_ResolveGroup(interp, nullptr), pdbRegistry.current);
}

TEST_F(GroupTest, aClearedRegistryResolvesNoGroup) {
  std::string name = pdbRegistry.current->name;
  Pdb_ClearRegistry();
  EXPECT_EQ(Pdb_ResolveGroup(interp, nullptr), nullptr);
  EXPECT_EQ(result(),
            "No current group: the parts database module has been unloaded.");
  EXPECT_EQ(Pdb_ResolveGroup(interp, name.c_str()), nullptr);
  EXPECT_EQ(result(), "\"" + name + "\" is not a group handle.");
}

} // namespace
