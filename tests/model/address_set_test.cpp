/*
 * address_set_test.cpp --
 *
 *	The flat address set: membership across growth, duplicates, and the
 *	members in address order.
 */

#include <gtest/gtest.h>
#include <vector>

#include "model/address_set.h"

TEST(AddressSet, KeepsEachAddressOnceAcrossGrowthAndListsThemInOrder) {
  /* Aligned addresses a fixed stride apart, as blocks of one allocator
   * lie: they must not crowd a few slots. Inserted backwards. */
  std::vector<char> arena(16 * 5000);
  Pdb_AddressSet set;
  EXPECT_FALSE(set.contains(arena.data()));
  for (int i = 4999; i >= 0; i--) {
    EXPECT_TRUE(set.insert(arena.data() + 16 * i));
  }
  EXPECT_FALSE(set.insert(arena.data() + 16 * 7));
  EXPECT_EQ(set.size(), 5000);
  for (int i = 0; i < 5000; i++) {
    ASSERT_TRUE(set.contains(arena.data() + 16 * i)) << i;
    ASSERT_FALSE(set.contains(arena.data() + 16 * i + 8)) << i;
  }
  std::vector<void *> members = set.sortedMembers();
  ASSERT_EQ(members.size(), 5000u);
  for (int i = 0; i < 5000; i++) {
    ASSERT_EQ(members[static_cast<std::size_t>(i)], arena.data() + 16 * i);
  }
  int visited = 0;
  set.forEach([&](void *) { visited++; });
  EXPECT_EQ(visited, 5000);
}
