// Inputs that the soak leaves out for now: each reaches a fault of the module
// that is being mended on another line of work. Set an entry to false once the
// module guards that fault, and the soak generates those inputs again.
#pragma once

namespace SoakExclusions {

// Skin sizes that ask for a drawing surface over 16,384 pixels a side or
// 2^26 pixels (GDI+ takes the process down): while excluded, every size,
// margin, item geometry and control position stays within kBoundedGeometry.
constexpr bool kHugeSurfaces = true;
constexpr int kBoundedGeometry = 1000;

// Tooltip patterns with a width or precision of more than three digits, such
// as "%999999999s": the formatter asks for gigabytes.
constexpr bool kHugeFormatWidths = true;

// WM_USER+1 whose pointer is not one of the list's own items.
constexpr bool kForeignItemClicks = true;

// WM_ERASEBKGND with a null device context, and QmUIFunEnter with a null or
// destroyed owner window.
constexpr bool kNullContexts = true;

// External entities declared in the skin's own DTD (files, devices, UNC paths).
constexpr bool kExternalEntities = true;

} // namespace SoakExclusions
