// Pure size and style arithmetic of the text layer; see size_rules.h for the rules.
#include "text/size_rules.h"

#include <algorithm>
#include <cstdlib>

int ScaleFontUnits(long units, int ppem, int unitsPerEm) {
  if (unitsPerEm <= 0) return 0;
  // Exact in integers: round half away from zero of units * ppem / upem.
  const long long numerator = static_cast<long long>(units) * ppem;
  const long long magnitude = (std::llabs(numerator) * 2 + unitsPerEm) / (2LL * unitsPerEm);
  return static_cast<int>(numerator < 0 ? -magnitude : magnitude);
}

VerticalSize PickVerticalSize(int height, int unitsPerEm, int winAscent, int winDescent) {
  if (unitsPerEm <= 0) unitsPerEm = 1000;
  if (winAscent + winDescent <= 0) {
    winAscent = unitsPerEm;
    winDescent = 0;
  }
  const long long sum = static_cast<long long>(winAscent) + winDescent;

  int ppem = 0;
  if (height < 0) {
    ppem = static_cast<int>(std::min<long long>(-static_cast<long long>(height), kMaxPpem));
  } else {
    const long long cell = height == 0 ? kDefaultCellHeight : height;
    const long long rounded = (cell * unitsPerEm * 2 + sum) / (2 * sum);
    ppem = static_cast<int>(std::clamp<long long>(rounded, 1, kMaxPpem));
    while (ppem > 1 && ScaleFontUnits(winAscent, ppem, unitsPerEm) +
                               ScaleFontUnits(winDescent, ppem, unitsPerEm) >
                           cell) {
      --ppem;
    }
  }
  ppem = std::max(ppem, 1);

  VerticalSize size;
  size.ppem = ppem;
  size.ascentPx = ClampReach(ScaleFontUnits(winAscent, ppem, unitsPerEm));
  size.descentPx = ClampReach(ScaleFontUnits(winDescent, ppem, unitsPerEm));
  return size;
}

int PickHorizontalPpem(int width, int yPpem, int unitsPerEm, int avgCharWidth) {
  if (width == 0 || avgCharWidth <= 0 || unitsPerEm <= 0) return yPpem;
  const long long w = std::llabs(static_cast<long long>(width));
  const long long rounded = (w * unitsPerEm * 2 + avgCharWidth) / (2LL * avgCharWidth);
  return static_cast<int>(std::clamp<long long>(rounded, 1, kMaxPpem));
}

UnderlineRows PickUnderline(int position, int thickness, int ppem, int unitsPerEm) {
  UnderlineRows rows;
  rows.topBelowBaseline = -ScaleFontUnits(position, ppem, unitsPerEm);
  rows.rows = std::max(1, ScaleFontUnits(thickness, ppem, unitsPerEm));
  return rows;
}

bool NeedsSyntheticBold(int requestedWeight, int faceWeight) {
  return requestedWeight >= 600 && faceWeight < 600;
}

bool NeedsSyntheticItalic(bool requestedItalic, bool faceItalic) {
  return requestedItalic && !faceItalic;
}

int PickFaceStyle(const FaceStyle* faces, int count, int weight, bool italic) {
  int best = -1;
  int bestDistance = 0;
  bool bestSlantMatches = false;
  bool bestTrueType = false;
  for (int i = 0; i < count; ++i) {
    const int distance = std::abs(faces[i].weight - weight);
    const bool slantMatches = faces[i].italic == italic;
    const bool better =
        best < 0 || distance < bestDistance ||
        (distance == bestDistance &&
         (slantMatches != bestSlantMatches ? slantMatches : faces[i].trueType && !bestTrueType));
    if (better) {
      best = i;
      bestDistance = distance;
      bestSlantMatches = slantMatches;
      bestTrueType = faces[i].trueType;
    }
  }
  return best;
}

int PickFixedStrike(const int* strikeHeights, int count, int height) {
  // In 64 bits: the magnitude of INT_MIN and its distance to a strike exceed int.
  const long long wanted =
      height == 0 ? kDefaultCellHeight : std::llabs(static_cast<long long>(height));
  int best = -1;
  long long bestDistance = 0;
  for (int i = 0; i < count; ++i) {
    const long long distance = std::llabs(strikeHeights[i] - wanted);
    if (best < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

int NormalizeWeightClass(int weightClass) {
  if (weightClass <= 0) return 400;
  if (weightClass < 10) return weightClass * 100;
  return std::min(weightClass, 1000);
}
