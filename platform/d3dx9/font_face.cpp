#include "platform/d3dx9/font_face.h"

#include <fontconfig/fontconfig.h>

bool FindFontFile(const std::string& family, int weight, bool italic, FontFile* found) {
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
