// Target tables, candidate ranges, stop rules and the choice rule of the size search.
#include "autosize/autosize_search.h"

#include <array>
#include <cmath>

namespace {

// Indexed by tile size; entry 0 is never read.
constexpr std::array<float, 17> kHeightTargets = {0, 1, 1, 1, 2, 3, 4,  5, 6,
                                                  7, 7, 8, 8, 9, 9, 10, 10};
constexpr std::array<float, 17> kWidthTargets = {0, 1, 1, 1, 1, 2, 3,  4, 5,
                                                 6, 6, 7, 8, 8, 9, 10, 10};

int ClampTile(int tileSize) {
  return tileSize < kMinAutosizeTile   ? kMinAutosizeTile
         : tileSize > kMaxAutosizeTile ? kMaxAutosizeTile
                                       : tileSize;
}

bool Grew(const SearchStopState& state, float difference) {
  return state.previousDifference > 0.0f && difference > state.previousDifference;
}

template <typename Step>
int StopIndex(const std::vector<float>& differences, Step step) {
  SearchStopState state;
  for (std::size_t i = 0; i < differences.size(); ++i) {
    if (step(state, differences[i])) return static_cast<int>(i);
  }
  return static_cast<int>(differences.size()) - 1;
}

}  // namespace

// Both tables end at 10 px for 16: larger sizes keep that proportion.
float ExtendedTarget(int size) {
  return static_cast<float>(std::lround(size * 10.0 / kAutosizeTableTiles));
}

float HeightTarget(int tileSize) {
  const int size = ClampTile(tileSize);
  return size > kAutosizeTableTiles ? ExtendedTarget(size) : kHeightTargets[size];
}

float WidthTarget(int tileSize) {
  const int size = ClampTile(tileSize);
  return size > kAutosizeTableTiles ? ExtendedTarget(size) : kWidthTargets[size];
}

CandidateRange HeightCandidates(int tileSize) {
  return {tileSize / 2, 2 * tileSize};
}

CandidateRange WidthCandidates(int tileSize) {
  return {tileSize / 4, tileSize};
}

float TargetDifference(float target, float average) {
  return static_cast<float>(std::fabs(static_cast<double>(target) - average));
}

bool HeightSearchStep(SearchStopState& state, float difference) {
  bool stop = false;
  if (Grew(state, difference)) {
    if (state.grown) stop = true;
    state.grown = true;
  }
  state.previousDifference = difference;
  return stop;
}

bool WidthSearchStep(SearchStopState& state, float difference) {
  const bool stop = Grew(state, difference);
  state.previousDifference = difference;
  return stop;
}

int HeightSearchStopIndex(const std::vector<float>& differences) {
  return StopIndex(differences, HeightSearchStep);
}

int WidthSearchStopIndex(const std::vector<float>& differences) {
  return StopIndex(differences, WidthSearchStep);
}

CandidateChoice ChooseCandidate(int firstCandidate, const std::vector<float>& averages,
                                float target) {
  CandidateChoice best;
  for (std::size_t i = 0; i < averages.size(); ++i) {
    if (TargetDifference(target, averages[i]) < TargetDifference(target, best.average)) {
      best.candidate = firstCandidate + static_cast<int>(i);
      best.average = averages[i];
    }
  }
  return best;
}
