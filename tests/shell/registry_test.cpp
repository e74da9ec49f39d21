/*
 * registry_test.cpp --
 *
 *	Tests of groups and the registry: ownership of databases, reset in
 *	place and restart of the registry. (A cleared registry is tested
 *	through the commands.)
 */

#include <gtest/gtest.h>
#include <string>

#include "model/group.h"
#include "shell/registry.h"
#include "support/fake_database.h"
#include "support/tcl_fixture.h"

namespace {

class GroupTest : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    ASSERT_EQ(Pdb_InitRegistry(interp), TCL_OK);
  }
  void TearDown() override {
    Pdb_ClearRegistry();
    TclInterpTest::TearDown();
  }
  /* A database that counts its destruction in destroyed. */
  FakeDatabase *fake() { return new FakeDatabase(nullptr, "f", &destroyed); }

  int destroyed = 0;
};

TEST_F(GroupTest, resetDestroysTheDatabasesAndKeepsNameAndCounters) {
  Pdb_Group *group = Pdb_NewGroup(interp);
  std::string name = group->name;
  int counter = pdbRegistry.nameCounter;
  group->addDatabase("zq_pdb1", fake());
  group->addDatabase("zq_pdb2", fake());
  group->hidden.hideCategory("/hidden/");
  group->hidden.setFilter(false);
  ASSERT_NE(group->findDatabase("zq_pdb2"), nullptr);

  group->reset();
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(group->name, name);
  EXPECT_EQ(pdbRegistry.nameCounter, counter);
  EXPECT_EQ(group->findDatabase("zq_pdb1"), nullptr);
  EXPECT_EQ(group->hidden.hiddenCategoryCount(), 0);
  EXPECT_TRUE(group->hidden.filterOn());
  EXPECT_EQ(Pdb_FindGroup(interp, name.c_str()), group);
}

TEST_F(GroupTest, addDatabaseUnderATakenHandleDestroysTheOldOne) {
  Pdb_Group *group = pdbRegistry.current;
  FakeDatabase *second = fake();
  group->addDatabase("zq_pdb1", fake());
  group->addDatabase("zq_pdb1", second);
  EXPECT_EQ(destroyed, 1);
  group->addDatabase("zq_pdb1", second);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(group->findDatabase("zq_pdb1"), second);
  group->reset(); /* while the counter is still in scope */
  EXPECT_EQ(destroyed, 2);
}

TEST_F(GroupTest, restartingTheRegistryDestroysEarlierGroupsAndCountsOn) {
  pdbRegistry.current->addDatabase("zq_pdb1", fake());
  int next = pdbRegistry.nameCounter;
  ASSERT_EQ(Pdb_InitRegistry(interp), TCL_OK);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(pdbRegistry.groups.numEntries, 1);
  EXPECT_EQ(pdbRegistry.current->name, "group" + std::to_string(next));
  EXPECT_EQ(Pdb_ResolveGroup(interp, nullptr), pdbRegistry.current);
}

} // namespace
