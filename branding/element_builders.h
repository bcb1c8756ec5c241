// Builders of layout elements for the designed windows, one per kind; labels
// are tuned with the chained setters.
#pragma once

#include "branding/layout.h"
#include "branding/ole_color.h"

namespace zs::branding::build {

struct LabelSpec {
  Element e;
  LabelSpec& bold() { e.font.bold = true; return *this; }
  LabelSpec& italic() { e.font.italic = true; return *this; }
  LabelSpec& underline() { e.font.underline = true; return *this; }
  LabelSpec& face(const char* name) { e.font.face = name; return *this; }
  LabelSpec& right() { e.align = Align::Right; return *this; }
  LabelSpec& centre() { e.align = Align::Centre; return *this; }
  LabelSpec& autoSize() { e.autoSize = true; return *this; }
  LabelSpec& transparent() { e.transparent = true; return *this; }
  LabelSpec& wrap() { e.wordWrap = true; return *this; }
  LabelSpec& color(OleColor c) { e.foreColor = c; return *this; }
  LabelSpec& back(OleColor c) { e.backColor = c; return *this; }
  LabelSpec& text(const char* t) { e.text = t; return *this; }
  operator Element() const { return e; }
};

inline LabelSpec label(const char* name, int l, int t, int w, int h, double points) {
  LabelSpec s;
  s.e.name = name;
  s.e.kind = ElementKind::Label;
  s.e.box = {l, t, w, h};
  s.e.font.points = points;
  return s;
}

inline Element image(const char* name, int l, int t, int w, int h) {
  Element e;
  e.name = name;
  e.kind = ElementKind::Image;
  e.box = {l, t, w, h};
  return e;
}

inline Element line(const char* name, int x1, int y1, int x2, int y2, OleColor color, int width) {
  Element e;
  e.name = name;
  e.kind = ElementKind::Line;
  e.box = {x1, y1, x2 - x1, y2 - y1};
  e.foreColor = color;
  e.lineWidth = width;
  return e;
}

inline Element band(const char* name, int l, int t, int w, int h, OleColor fill, OleColor border) {
  Element e;
  e.name = name;
  e.kind = ElementKind::Band;
  e.box = {l, t, w, h};
  e.fillColor = fill;
  e.borderColor = border;
  return e;
}

inline Element frame(const char* name, int l, int t, int w, int h, ElementKind kind = ElementKind::Frame) {
  Element e;
  e.name = name;
  e.kind = kind;
  e.box = {l, t, w, h};
  return e;
}

}  // namespace zs::branding::build
