// The search arithmetic on hand-made sequences: stop rules, the choice rule, targets
// and candidate ranges.
#include "autosize/autosize_search.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Averages that give the wanted differences below a target (average = target - d).
std::vector<float> AveragesFor(float target, const std::vector<float>& differences) {
  std::vector<float> averages;
  for (float d : differences) averages.push_back(target - d);
  return averages;
}

TEST(AutosizeSearch, HeightSearchToleratesOneGrowthAndStopsAtTheSecond) {
  struct Row {
    const char* note;
    std::vector<float> differences;
    int stopIndex;
  };
  const Row rows[] = {
      // The worked sequence: growth at the third, stop at the fifth.
      {"3.0 2.0 2.5 1.5 1.8", {3.0f, 2.0f, 2.5f, 1.5f, 1.8f, 0.5f}, 4},
      // Two growths in a row stop at the second.
      {"adjacent growths", {3.0f, 4.0f, 5.0f, 1.0f}, 2},
      // Falling all the way: every candidate is measured.
      {"never grows", {5.0f, 4.0f, 3.0f, 2.0f}, 3},
      // A candidate after a difference of exactly 0 is not tested for growth.
      {"after zero", {2.0f, 0.0f, 1.0f, 2.0f, 3.0f}, 4},
      // Equal differences are not growth.
      {"plateau", {2.0f, 2.0f, 2.0f, 3.0f, 3.0f}, 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    EXPECT_EQ(HeightSearchStopIndex(row.differences), row.stopIndex);
  }
  EXPECT_EQ(HeightSearchStopIndex({}), -1);

  // Step by step: the flag is set by the first growth and never cleared.
  SearchStopState state;
  EXPECT_FALSE(HeightSearchStep(state, 3.0f));
  EXPECT_FALSE(HeightSearchStep(state, 2.0f));
  EXPECT_FALSE(state.grown);
  EXPECT_FALSE(HeightSearchStep(state, 2.5f));
  EXPECT_TRUE(state.grown);
  EXPECT_FALSE(HeightSearchStep(state, 1.5f));
  EXPECT_TRUE(HeightSearchStep(state, 1.8f));
}

TEST(AutosizeSearch, WidthSearchStopsAtTheFirstGrowth) {
  EXPECT_EQ(WidthSearchStopIndex({3.0f, 2.0f, 2.5f, 1.0f}), 2);
  EXPECT_EQ(WidthSearchStopIndex({3.0f, 2.0f, 1.0f}), 2);  // never grows: all measured
  EXPECT_EQ(WidthSearchStopIndex({0.0f, 5.0f, 4.0f}), 2);  // after 0 nothing is tested
}

TEST(AutosizeSearch, WorkedSequencesChooseTheClosestMeasuredCandidate) {
  // Height: 3.0, 2.0, 2.5, 1.5, 1.8 from candidate 4 (tile size 8, target 6); the
  // search stops at the fifth and the fourth (height 7) wins.
  const float heightTarget = HeightTarget(8);
  const std::vector<float> heights = AveragesFor(heightTarget, {3.0f, 2.0f, 2.5f, 1.5f, 1.8f});
  const int heightStop = HeightSearchStopIndex(
      {3.0f, 2.0f, 2.5f, 1.5f, 1.8f, 0.1f});  // a later, closer one is never measured
  ASSERT_EQ(heightStop, 4);
  CandidateChoice h = ChooseCandidate(4, heights, heightTarget);
  EXPECT_EQ(h.candidate, 7);
  EXPECT_FLOAT_EQ(h.average, heightTarget - 1.5f);

  // Width: 3.0, 2.0, 2.5 from candidate 2: the second (width 3) wins.
  const float widthTarget = WidthTarget(8);
  ASSERT_EQ(WidthSearchStopIndex({3.0f, 2.0f, 2.5f, 0.0f}), 2);
  CandidateChoice w = ChooseCandidate(2, AveragesFor(widthTarget, {3.0f, 2.0f, 2.5f}), widthTarget);
  EXPECT_EQ(w.candidate, 3);
}

TEST(AutosizeSearch, ChoiceRuleKeepsTheEarlierOnTiesAndRejectsInklessCandidates) {
  // The same distance above and below the target: the smaller candidate stays.
  CandidateChoice tie = ChooseCandidate(5, {4.0f, 8.0f, 6.5f, 5.5f}, 6.0f);
  EXPECT_EQ(tie.candidate, 7);
  EXPECT_FLOAT_EQ(tie.average, 6.5f);
  tie = ChooseCandidate(5, {9.0f, 3.0f}, 6.0f);
  EXPECT_EQ(tie.candidate, 5);

  // A sample character without ink drags the average below -7000: never chosen, even
  // when it is the only candidate.
  const float inkless = -99999.0f / 14.0f;
  CandidateChoice c = ChooseCandidate(0, {inkless, 20.0f}, 1.0f);
  EXPECT_EQ(c.candidate, 1);
  c = ChooseCandidate(0, {inkless}, 1.0f);
  EXPECT_EQ(c.candidate, -1);
  EXPECT_FLOAT_EQ(c.average, 1000.0f);
  EXPECT_FLOAT_EQ(TargetDifference(HeightTarget(8), c.average), 994.0f);

  // Nothing measured: -1 as well.
  EXPECT_EQ(ChooseCandidate(4, {}, 6.0f).candidate, -1);
}

TEST(AutosizeSearch, TargetsAndCandidateRangesFollowTheTileSize) {
  // Rows of the candidate range table: tile size, heights, widths and targets.
  struct Row {
    int tile;
    int firstHeight, lastHeight;
    int firstWidth, lastWidth;
    float heightTarget, widthTarget;
  };
  const Row rows[] = {
      {1, 0, 1, 0, 0, 1, 1},    {4, 2, 9, 1, 4, 2, 1},      {8, 4, 19, 2, 9, 6, 5},
      {12, 6, 29, 3, 14, 8, 8}, {16, 8, 39, 4, 19, 10, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.tile);
    const CandidateRange h = HeightCandidates(row.tile);
    const CandidateRange w = WidthCandidates(row.tile);
    EXPECT_EQ(h.first, row.firstHeight);
    EXPECT_EQ(h.first + h.count - 1, row.lastHeight);
    EXPECT_EQ(w.first, row.firstWidth);
    EXPECT_EQ(w.first + w.count - 1, row.lastWidth);
    EXPECT_EQ(HeightTarget(row.tile), row.heightTarget);
    EXPECT_EQ(WidthTarget(row.tile), row.widthTarget);
  }
}

}  // namespace

namespace {

// Beyond 16 px the targets keep the tables' last proportion, 10 px for 16, rounded
// half away from zero (hand-computed: 20 * 10 / 16 = 12.5 -> 13).
TEST(AutosizeSearch, TargetsBeyondTheTablesKeepTheirProportion) {
  const struct {
    int size;
    float target;
  } rows[] = {{16, 10}, {17, 11}, {20, 13}, {24, 15}, {32, 20}, {48, 30}, {64, 40}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.size);
    EXPECT_EQ(HeightTarget(row.size), row.target);
    EXPECT_EQ(WidthTarget(row.size), row.target);
  }
}

}  // namespace
