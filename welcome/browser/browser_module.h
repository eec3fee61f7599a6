#pragma once

#include <cstdint>
#include <span>

// The browser component of the HTML view, a Qt WebEngine view, is built as a
// module of its own and carried inside the program as bytes. Linking Qt
// WebEngine into the program would load it, and run its start-up work,
// before the first window could appear; as a module it is loaded only when
// the view starts its browser, after the main window is on screen.
//
// The module exports two C entries:
//   QWidget* pexorBrowserCreate(QWidget* parent)
//       a child widget of `parent` that shows pages, input left to `parent`
//   void pexorBrowserLoad(QWidget* browser, const char* url)
//       starts loading a URL (UTF-8, escaped) and returns at once

namespace pexor::resources {

// The module's file as built; empty in builds without Qt WebEngine.
std::span<const std::uint8_t> browserModuleImage();

}  // namespace pexor::resources
