// ZSExtractIcon: counts the icons of an executable, library or .ico file and
// draws one of them, at one of fifteen square sizes, onto the host's device
// context, over a light-grey square (the transparent parts show grey).
// Nothing is raised for a missing file or icon: nothing is drawn.
#pragma once

#include "core/class_info.h"
#include "core/property_bag.h"
#include "core/variant.h"
#include "platform/libraries.h"

namespace zs {

// ZSExtractIconSizeConstants: value n stands for 16 + 8 × n pixels.
enum ExtractIconSize : Long {
  zv16x16 = 0,
  zv24x24 = 1,
  zv32x32 = 2,
  zv40x40 = 3,
  zv48x48 = 4,
  zv56x56 = 5,
  zv64x64 = 6,
  zv72x72 = 7,
  zv80x80 = 8,
  zv88x88 = 9,
  zv96x96 = 10,
  zv104x104 = 11,
  zv112x112 = 12,
  zv120x120 = 13,
  zv128x128 = 14,
};

// Which icon Extract draws for a size constant and at what size (0: the
// icon's own); nullopt for a value outside the enumeration.
struct IconDrawing {
  bool small;
  int side;
};
std::optional<IconDrawing> iconDrawingFor(Long IconSize);

class ExtractIcon : public Control {
 public:
  explicit ExtractIcon(const platform::Libraries& libraries = platform::systemLibraries());

  String FileName() const { return fileName_; }
  void FileName(const String& value) { fileName_ = value; }

  Long Count();
  // Draws icon Index (from 1) onto hdc at (Left, Top); error 6 for the
  // smallest Long. Every argument keeps its value. Returns Empty.
  Variant Extract(const Long& Index, const Long& IconSize, const Long& hdc, const Long& Left,
                  const Long& Top);

  const ClassInfo* classInfo() const override;

 private:
  platform::Libraries libraries_;
  String fileName_;
};

}  // namespace zs
