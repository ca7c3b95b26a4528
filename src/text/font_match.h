// Which installed face serves a font request. Internal to the text layer.
#pragma once

#include <memory>
#include <string>

#include "base/status.h"
#include "text/text_font.h"

struct FontSource;

struct FaceChoice {
  std::string file;
  std::shared_ptr<const FontSource> source;  // an added file's descriptor, else null
  long index = 0;
  std::string family;  // the typeface name of the chosen file
  int weight = 400;    // the chosen file's own weight and slant, before synthesis
  bool italic = false;
  bool known = false;  // weight and slant come from the catalog (else read them from the face)
};

// The files of the requested typeface (ignoring case) first: nearest in weight,
// then matching slant. A name no file has goes to fontconfig's closest match for
// family, weight and slant; an empty name asks for "sans-serif". Fails only when
// fontconfig cannot start or has no match at all.
Result<FaceChoice> ChooseFace(const FontRequest& request);

// fontconfig's match for family at the request's weight and slant.
Result<FaceChoice> MatchWithFontconfig(const std::string& family, int weight, bool italic);
