#include "platform/d3dx9/font_face.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

namespace {

// Windows faces that Linux systems lack, each with the installed face whose
// widths keep the texts laid out for it on screen. Fontconfig alone would
// pick a wider serif, and the status text's right-hand lines would run off
// the edge.
struct StandIn {
  const char* face;
  const char* standIn;
};
constexpr StandIn kStandIns[] = {{"Elephant", "Liberation Serif"}};

bool MatchFontFile(const std::string& family, int weight, bool italic, FontFile* found) {
  if (!FcInit()) return false;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : 400));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);

  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;

  FcChar8* file = nullptr;
  FcChar8* name = nullptr;
  int index = 0;
  bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  if (ok) {
    found->path = reinterpret_cast<const char*>(file);
    found->index = FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch ? index : 0;
    found->family = FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch
                        ? reinterpret_cast<const char*>(name)
                        : "";
  }
  FcPatternDestroy(match);
  return ok;
}

}  // namespace

bool FindFontFile(const std::string& family, int weight, bool italic, FontFile* found) {
  for (const StandIn& s : kStandIns) {
    if (strcasecmp(family.c_str(), s.face) != 0) continue;
    if (MatchFontFile(s.standIn, weight, italic, found) && found->family == s.standIn) return true;
  }
  return MatchFontFile(family, weight, italic, found);
}
