// The arithmetic of the size search: target tables, candidate ranges, the stop rules
// of the height and width searches and the rule that picks the best candidate.
//
// Everything here is pure: the measuring code feeds it averages, so the rules can be
// checked on hand-made sequences without fonts.
#pragma once

#include <vector>

inline constexpr int kMinAutosizeTile = 1;
inline constexpr int kMaxAutosizeTile = 64;     // the largest cell side
inline constexpr int kAutosizeTableTiles = 16;  // the tables' last entry

// The average glyph height and width (in px, as measured lit extents) that suit a
// tile size (or a cell's height and width), 1 to 64. Up to 16 from the tables; beyond,
// the tables' last proportion carried on: round(size * 10 / 16).
float HeightTarget(int tileSize);
float WidthTarget(int tileSize);

// Consecutive candidate values first, first + 1, ..., first + count - 1.
struct CandidateRange {
  int first = 0;
  int count = 0;
};

// Heights tileSize / 2 upward, 2 * tileSize of them.
CandidateRange HeightCandidates(int tileSize);
// Widths tileSize / 4 upward, tileSize of them.
CandidateRange WidthCandidates(int tileSize);

// |target - average|, worked in double and held in single precision.
float TargetDifference(float target, float average);

// What a search remembers between candidates for its stop rule.
struct SearchStopState {
  float previousDifference = -1.0f;  // none yet
  bool grown = false;                // the height search has seen one growth
};

// Feeds the difference of the next candidate. A difference "grows" when the previous
// one is above 0 and this one is larger. The height search tolerates one growth and
// stops at the second (wherever it comes); the width search stops at the first.
// Returns true when the search stops after this candidate.
bool HeightSearchStep(SearchStopState& state, float difference);
bool WidthSearchStep(SearchStopState& state, float difference);

// The index of the candidate after which the search stops, given every candidate's
// difference in order; the last index when the rule never fires (-1 when empty).
int HeightSearchStopIndex(const std::vector<float>& differences);
int WidthSearchStopIndex(const std::vector<float>& differences);

// The outcome of the choice: the candidate value and its average; -1 and 1000.0
// when no candidate came closer to the target than 1000.0 does.
struct CandidateChoice {
  int candidate = -1;
  float average = 1000.0f;
};

// Visits averages (of candidates firstCandidate, firstCandidate + 1, ...) in order and
// keeps the one strictly closer to target than the best so far, starting from 1000.0:
// equal differences keep the smaller candidate, and a candidate whose sample left a
// character without ink (average below -7000) can never win.
CandidateChoice ChooseCandidate(int firstCandidate, const std::vector<float>& averages,
                                float target);
