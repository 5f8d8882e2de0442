#include "orvellan/control/TypeLibrary.h"

namespace OrvellanLib {
namespace {

const EnumMember kBorderStyles[] = {{"OvNone", 0},       {"OvRaisedOuter", 1}, {"OvRaisedInner", 2},
                                    {"OvSunkenOuter", 3}, {"OvSunkenInner", 4}, {"OvRaisedEdge", 5},
                                    {"OvSunkenEdge", 6},  {"OvEtchedEdge", 7},  {"OvBumpEdge", 8}};
const EnumMember kScrollBars[] = {{"OvAutomatic", 0}, {"OvNone", 1}};
const EnumMember kGoDirections[] = {{"OvTopCenter", 0}, {"OvBottomCenter", 1}, {"OvLeftCenter", 2},
                                    {"OvRightCenter", 3}, {"OvCenter", 4},    {"OvTopLeft", 5},
                                    {"OvTopRight", 6},  {"OvBottomLeft", 7},  {"OvBottomRight", 8}};
const EnumMember kScrollDirections[] = {{"OvUp", 0}, {"OvDown", 1}, {"OvLeft", 2}, {"OvRight", 3}};
const EnumMember kFlipDirs[] = {{"Horizontal", 0}, {"Vertical", 1}};
const EnumMember kAppearance[] = {{"Flat", 0}, {"3D", 1}};
const EnumMember kBorderStyle[] = {{"None", 0}, {"Fixed Single", 1}};

const EnumDeclaration kEnums[] = {
    {"OvBorderStyles", kBorderStyles, 9},   {"ScrollBarCts", kScrollBars, 2},
    {"GoDirectionCts", kGoDirections, 9},   {"ScrollDirectionCts", kScrollDirections, 4},
    {"FlipDirs", kFlipDirs, 2},             {"AppearanceCts", kAppearance, 2},
    {"BorderStyleCts", kBorderStyle, 2},
};

const EventDeclaration kEvents[] = {
    {1, "Click"},         {2, "ClickBack"},     {3, "DblClick"},       {4, "KeyDown"},
    {5, "KeyPress"},      {6, "KeyUp"},         {7, "MouseDown"},      {8, "MouseMove"},
    {9, "MouseUp"},       {10, "OvChanged"},    {11, "OvScrolled"},    {12, "OvZoomIN"},
    {13, "OvZoomOUT"},    {14, "OvZoomBEST"},   {15, "OvZoomACTUAL"},  {16, "OvZoomPCNT"},
    {17, "OvZTClick"},    {18, "OvZTDblClick"}, {19, "OvZTKeyDown"},   {20, "OvZTKeyUp"},
    {21, "OvZTMouseDown"}, {22, "OvZTMouseUp"},
};

}  // namespace

const EnumDeclaration* Enumerations(int* count) {
  *count = static_cast<int>(sizeof(kEnums) / sizeof(kEnums[0]));
  return kEnums;
}

const EventDeclaration* Events(int* count) {
  *count = static_cast<int>(sizeof(kEvents) / sizeof(kEvents[0]));
  return kEvents;
}

}  // namespace OrvellanLib
