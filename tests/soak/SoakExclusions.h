// Kinds of hostile input that the soak can leave out, one switch each. The
// module guards all of them, so all are generated; a switch set to true keeps
// a kind out while a fault it reaches is being mended.
#pragma once

namespace SoakExclusions {

// Skin sizes that ask for a drawing surface over 16,384 pixels a side or
// 2^26 pixels (GDI+ takes the process down): while excluded, every size,
// margin, item geometry and control position stays within kBoundedGeometry.
constexpr bool kHugeSurfaces = false;
constexpr int kBoundedGeometry = 1000;

// Tooltip patterns with a width or precision of more than three digits, such
// as "%999999999s": the formatter asks for gigabytes.
constexpr bool kHugeFormatWidths = false;

// WM_USER+1 whose pointer is not one of the list's own items.
constexpr bool kForeignItemClicks = false;

// WM_ERASEBKGND with a null device context, and QmUIFunEnter with a null or
// destroyed owner window.
constexpr bool kNullContexts = false;

// External entities declared in the skin's own DTD (files, devices, UNC paths).
constexpr bool kExternalEntities = false;

} // namespace SoakExclusions
