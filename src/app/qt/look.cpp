#include "app/qt/look.h"

#include <QGuiApplication>

namespace vortila {

namespace {

struct Colours {
  QColor window;
  QColor base;
  QColor text;
  QColor button;
  QColor highlight;
  // Hints and what cannot be used now: still readable, at more than 4.5:1.
  QColor faint;
};

QPalette MakeLook(const Colours& colours) {
  QPalette palette(colours.button, colours.window);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                          QPalette::ToolTipText}) {
    palette.setColor(role, colours.text);
  }
  palette.setColor(QPalette::Base, colours.base);
  palette.setColor(QPalette::AlternateBase, colours.window);
  palette.setColor(QPalette::ToolTipBase, colours.base);
  palette.setColor(QPalette::Highlight, colours.highlight);
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::PlaceholderText, colours.faint);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, colours.faint);
  }
  return palette;
}

// The desktop's theme reaches this version of Qt only through the palette it gives the
// application: a dark theme is one whose windows are darker than their text.
bool SystemIsDark() {
  const QPalette system = QGuiApplication::palette();
  return system.color(QPalette::Window).lightness() <
         system.color(QPalette::WindowText).lightness();
}

}  // namespace

const QPalette& LightLook() {
  static const QPalette look = MakeLook({.window = QColor(0xef, 0xef, 0xef),
                                         .base = Qt::white,
                                         .text = Qt::black,
                                         .button = QColor(0xef, 0xef, 0xef),
                                         .highlight = QColor(0x30, 0x6c, 0xb0),
                                         .faint = QColor(0x6e, 0x6e, 0x6e)});
  return look;
}

const QPalette& DarkLook() {
  static const QPalette look = MakeLook({.window = QColor(0x2b, 0x2b, 0x2b),
                                         .base = QColor(0x1e, 0x1e, 0x1e),
                                         .text = QColor(0xe0, 0xe0, 0xe0),
                                         .button = QColor(0x3a, 0x3a, 0x3a),
                                         .highlight = QColor(0x2f, 0x6f, 0xa8),
                                         .faint = QColor(0x9a, 0x9a, 0x9a)});
  return look;
}

const QPalette& LookFor(LookChoice choice) {
  switch (choice) {
    case LookChoice::Light:
      return LightLook();
    case LookChoice::Dark:
      return DarkLook();
    case LookChoice::System:
      break;
  }
  return SystemIsDark() ? DarkLook() : LightLook();
}

}  // namespace vortila
