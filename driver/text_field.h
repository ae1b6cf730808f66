// Right-aligned text fields, as printf's width pads them.
#pragma once

#include <cstddef>
#include <string>

// `text` with spaces added on the left up to `width` characters; longer text is kept whole.
inline std::string RightAligned(std::string text, std::size_t width) {
  if (text.size() < width) {
    text.insert(0, width - text.size(), ' ');
  }
  return text;
}
