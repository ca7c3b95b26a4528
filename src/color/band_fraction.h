// The gradient bands of a tile: which band a pixel row falls in and how far that band
// lies from TopColor toward SubColor.
//
// The precision of every step is fixed on purpose (single where a value is held,
// double where it is divided): rounding the band height to single precision decides
// the band of rows that sit exactly on a band edge, and the sheet colors follow it.
#pragma once

struct BandScale {
  float bandHeight;  // d = TileSize / ColorSteps, rounded to single precision, in rows
  float bandCount;   // f = TileSize / d, rounded to single precision (ColorSteps or next to it)
};

// Worked out once per fill from TileSize and ColorSteps.
BandScale MakeBandScale(int tileSize, float colorSteps);

// The band of a row within its tile (0 .. TileSize - 1): rowInTile / d in double
// precision, truncated toward zero. Kept as a double so that no band count can
// overflow an int.
double BandOf(const BandScale& scale, int rowInTile);

// The BandFraction e of a row: band / f in double precision, rounded to single
// precision. 0 for band 0 (also when ColorSteps is 0 and f is 0); runs up to
// (ColorSteps - 1) / ColorSteps, so the last band never reaches SubColor.
float BandFraction(const BandScale& scale, int rowInTile);
