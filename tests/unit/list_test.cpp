// SPDX-License-Identifier: GPL-3.0-or-later
// The cursor list's rules that the game's walks depend on.
#include <gtest/gtest.h>

#include <vector>

#include "media/list.h"

namespace {

struct Item {
  int value;
};

std::vector<int> Values(List<Item>& list) {
  std::vector<int> out;
  for (const Item& item : list) out.push_back(item.value);
  return out;
}

List<Item> ListOf(std::initializer_list<int> values) {
  List<Item> list;
  for (int v : values) list.Add().value = v;
  return list;
}

TEST(List, AddGoesAfterTheCurrentElementAndBecomesCurrent) {
  List<Item> list = ListOf({1, 2, 3});
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
  ASSERT_TRUE(list.Select(0));
  list.Add().value = 9;
  EXPECT_EQ(list.Current().value, 9);
  EXPECT_EQ(list.Index(), 1);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 9, 2, 3}));
}

TEST(List, AppendGoesToTheEndWhereverTheCursorIs) {
  List<Item> list = ListOf({1, 2, 3});
  list.Reset();
  list.Append().value = 7;
  ASSERT_TRUE(list.Select(0));
  list.Append().value = 8;
  EXPECT_EQ(list.Index(), 4);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 7, 8}));
  List<Item> empty;
  empty.Append().value = 5;
  EXPECT_EQ(Values(empty), (std::vector<int>{5}));
  EXPECT_EQ(empty.Current().value, 5);
}

TEST(List, AddWithNoCurrentElementGoesToTheFront) {
  List<Item> list = ListOf({1, 2});
  list.Reset();
  list.Add().value = 0;
  EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list.Index(), 0);
}

TEST(List, NewElementsAreZeroFilled) {
  List<Item> list;
  list.Add().value = 5;
  list.Delete();
  EXPECT_EQ(list.Add().value, 0);
}

TEST(List, DeletingWhileWalkingContinuesWithTheFollower) {
  List<Item> list = ListOf({1, 2, 3, 4});
  std::vector<int> visited;
  list.Reset();
  while (list.Next()) {
    visited.push_back(list.Current().value);
    if (list.Current().value % 2 == 0) list.Delete();
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
}

TEST(List, DeletingTheFirstElementRestartsTheWalkAtTheNewFirst) {
  List<Item> list = ListOf({1, 2, 3});
  list.Reset();
  ASSERT_TRUE(list.Next());
  list.Delete();
  EXPECT_FALSE(list.HasCurrent());
  EXPECT_EQ(list.Index(), -1);
  ASSERT_TRUE(list.Next());
  EXPECT_EQ(list.Current().value, 2);
}

TEST(List, DeletingMakesThePreviousElementCurrent) {
  List<Item> list = ListOf({1, 2, 3});
  ASSERT_TRUE(list.Select(2));
  list.Delete();
  EXPECT_EQ(list.Current().value, 2);
  EXPECT_EQ(list.Count(), 2);
}

TEST(List, ElementsAddedDuringAWalkAreNotVisited) {
  // A triple-ball bonus adds two balls after the one it is walking over.
  List<Item> list = ListOf({1, 2});
  std::vector<int> visited;
  list.Reset();
  while (list.Next()) {
    int value = list.Current().value;
    visited.push_back(value);
    if (value < 10) {
      list.Add().value = value * 10;
      list.Add().value = value * 10 + 1;
    }
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2}));
  EXPECT_EQ(Values(list), (std::vector<int>{1, 10, 11, 2, 20, 21}));
}

TEST(List, NextStopsAtTheEndAndStaysOnTheLast) {
  List<Item> list = ListOf({1, 2});
  ASSERT_TRUE(list.Select(1));
  EXPECT_FALSE(list.Next());
  EXPECT_EQ(list.Current().value, 2);
  List<Item> empty;
  empty.Reset();
  EXPECT_FALSE(empty.Next());
  EXPECT_FALSE(empty.HasCurrent());
}

TEST(List, SelectIndexCountAndClear) {
  List<Item> list = ListOf({5, 6, 7});
  EXPECT_EQ(list.Count(), 3);
  EXPECT_TRUE(list.Select(1));
  EXPECT_EQ(list.Current().value, 6);
  EXPECT_EQ(list.Index(), 1);
  EXPECT_FALSE(list.Select(3));
  EXPECT_FALSE(list.Select(-1));
  EXPECT_EQ(list.Index(), 1);  // a refused select leaves the cursor alone
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Index(), -1);
  list.Add().value = 1;
  EXPECT_EQ(Values(list), (std::vector<int>{1}));
}

}  // namespace
