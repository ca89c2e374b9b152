#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <tessaro/components/font.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A rectangle in twips (1440 to the inch; 15 to a pixel at 96 dpi).
struct TwipRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

enum class SurfaceElementKind {
    Toolbar,
    Label,
    ListBox,
    ComboBox,
    Chart,
    Grid,
    Frame,
    TextBox,
    ColourBox,
    TextStore,
};

// One element of the control's design-time surface. Elements inside a frame name it as Parent and
// are placed relative to its top-left corner.
struct SurfaceElement {
    std::string Name;
    SurfaceElementKind Kind;
    TwipRect Bounds;
    std::string Parent;
    // Caption of a label or frame, initial text of a combo box.
    std::string Caption;
    tessaro::Font Font;
    // Fill of a colour box; -1 for the system button-text colour.
    int32_t FillColour = 0;
    bool Visible = true;
};

// The design-time layout every view of the control draws: toolbar, title, conflict lists, chart,
// grid, detail frame with its captions and text boxes, colour legend and the hidden text stores.
TESSARO_EXPORT const std::vector<SurfaceElement>& DesignSurface();

// Returns nullptr when no element has the name.
TESSARO_EXPORT const SurfaceElement* FindSurfaceElement(const std::string& name);

}  // namespace tessaro
