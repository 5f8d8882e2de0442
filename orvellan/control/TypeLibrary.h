#pragma once
// The declarations of the OrvellanLib type library: the enumerations with
// their member names and values, the RGBQUAD record, and the events with
// their dispatch identifiers. The C++ enumerations carry the values the
// control uses; the tables carry the names a host or browser shows.
#include <cstdint>

namespace OrvellanLib {

enum OvBorderStyles : int {
  OvBorderNone = 0, OvRaisedOuter = 1, OvRaisedInner = 2, OvSunkenOuter = 3, OvSunkenInner = 4,
  OvRaisedEdge = 5, OvSunkenEdge = 6, OvEtchedEdge = 7, OvBumpEdge = 8
};
enum ScrollBarCts : int { OvAutomatic = 0, OvScrollNone = 1 };
enum GoDirectionCts : int {
  OvTopCenter = 0, OvBottomCenter = 1, OvLeftCenter = 2, OvRightCenter = 3, OvCenter = 4,
  OvTopLeft = 5, OvTopRight = 6, OvBottomLeft = 7, OvBottomRight = 8
};
enum ScrollDirectionCts : int { OvUp = 0, OvDown = 1, OvLeft = 2, OvRight = 3 };
enum FlipDirs : int { Horizontal = 0, Vertical = 1 };
enum AppearanceCts : int { Flat = 0, ThreeD = 1 };
enum BorderStyleCts : int { BorderNone = 0, FixedSingle = 1 };

struct RGBQUAD {
  uint8_t bB;
  uint8_t bG;
  uint8_t bR;
  uint8_t bReserved;
};

struct EnumMember {
  const char* name;
  int value;
};
struct EnumDeclaration {
  const char* name;
  const EnumMember* members;
  int count;
};
struct EventDeclaration {
  int dispId;
  const char* name;
};

// The seven enumerations in type-library order, with the names as declared
// ("OvNone" in two of them, "3D", "Fixed Single").
const EnumDeclaration* Enumerations(int* count);
// The 22 events in dispatch order.
const EventDeclaration* Events(int* count);

constexpr int kDispIdAboutBox = -552;

}  // namespace OrvellanLib
