#include <tessaro/control/design_surface.hpp>

namespace tessaro {
namespace {

using K = SurfaceElementKind;

const Font kVerdana{"Verdana", 8.25, false};
const Font kVerdanaBold{"Verdana", 8.25, true};
const Font kArial{"Arial", 8.25, false};
const Font kTitle{"Arial", 12, true};
const Font kDefault{"MS Sans Serif", 8.25, false};

SurfaceElement Element(std::string name, K kind, TwipRect bounds, std::string caption = {},
                       Font font = kDefault) {
    return SurfaceElement{std::move(name), kind, bounds, {}, std::move(caption), std::move(font)};
}

SurfaceElement InFrame(std::string parent, SurfaceElement element) {
    element.Parent = std::move(parent);
    return element;
}

// Text boxes of the detail frame are all 285 twips high and read-only.
SurfaceElement Detail(std::string name, int32_t left, int32_t top, int32_t width) {
    return InFrame("frameWO",
                   Element(std::move(name), K::TextBox, {left, top, width, 285}, {}, kVerdanaBold));
}

SurfaceElement DetailCaption(std::string name, std::string caption, TwipRect bounds) {
    return InFrame("frameWO",
                   Element(std::move(name), K::Label, bounds, std::move(caption), kVerdanaBold));
}

// The legend runs left to right: a filled box, then its caption.
void AddLegendEntry(std::vector<SurfaceElement>& surface, int index, std::string box,
                    std::string label, int32_t colour, std::string caption) {
    const int32_t left = 240 + index * 2400;
    SurfaceElement fill =
        InFrame("Frame2", Element(std::move(box), K::ColourBox, {left, 150, 240, 240}));
    fill.FillColour = colour;
    surface.push_back(std::move(fill));
    surface.push_back(
        InFrame("Frame2", Element(std::move(label), K::Label, {left + 360, 150, 1800, 255},
                                  std::move(caption), kArial)));
}

std::vector<SurfaceElement> BuildSurface() {
    std::vector<SurfaceElement> s;
    s.push_back(Element("ctToolBar1", K::Toolbar, {0, 0, 3255, 495}));
    s.push_back(Element("Label5", K::Label, {6120, 120, 2295, 375}, "Schedule Chart ", kTitle));
    s.push_back(Element("lstConflictWorkOrders", K::ListBox, {3240, 0, 3105, 450}, {}, kVerdana));
    SurfaceElement hidden = Element("lstConflictHidden", K::ListBox, {8160, 0, 3975, 450});
    hidden.Visible = false;
    s.push_back(hidden);
    s.push_back(Element("CmbConflictTB", K::ComboBox, {12120, 120, 2295, 315}, "Combo1", kVerdana));
    s.push_back(Element("ctResSched", K::Chart, {0, 480, 14415, 5055}));
    s.push_back(Element("vaSpread", K::Grid, {0, 5520, 14415, 2235}));
    s.push_back(Element("frameWO", K::Frame, {1440, 6120, 10995, 1155}, {}, kVerdanaBold));

    s.push_back(DetailCaption("LabelWONo", "WO No.", {120, 270, 735, 225}));
    s.push_back(Detail("TxtWONo", 840, 240, 2055));
    s.push_back(Detail("TxtWOStatus", 2880, 240, 405));
    s.push_back(DetailCaption("LabelItemNo", "Item No.", {3360, 240, 735, 225}));
    s.push_back(Detail("TxtItemNo", 4560, 240, 1215));
    s.push_back(DetailCaption("LabelStartDt", "Start Dt", {5880, 240, 795, 225}));
    s.push_back(Detail("TxtActStartDate", 6720, 240, 1005));
    s.push_back(Detail("TxtWOStTime", 7680, 240, 495));
    s.push_back(DetailCaption("LabelReqDt", "Req. Dt", {8280, 270, 855, 225}));
    s.push_back(Detail("TxtReqDt", 9000, 240, 405));
    s.push_back(DetailCaption("LabelWOActivity", "WOActivity", {9480, 240, 495, 255}));
    s.push_back(Detail("TxtWOAct", 9960, 240, 975));
    s.push_back(DetailCaption("LabelSONo", "SO No.", {120, 720, 735, 255}));
    s.push_back(Detail("TxtOrdNo", 840, 720, 2415));
    s.push_back(DetailCaption("LabelCustName", "Cust. Name", {3360, 720, 1095, 255}));
    s.push_back(Detail("TxtCustNo", 4560, 720, 1215));
    s.push_back(DetailCaption("LabelEndDt", "End Dt", {5940, 750, 735, 225}));
    s.push_back(Detail("TxtactEndDate", 6840, 720, 1245));
    s.push_back(Detail("TxtWOEndTime", 8280, 720, 615));
    s.push_back(DetailCaption("LabelPromDt", "Prom. Dt", {9000, 720, 855, 225}));
    s.push_back(Detail("TxtPromisedDt", 9960, 720, 1005));

    s.push_back(Element("Frame2", K::Frame, {0, 7740, 14475, 495}));
    AddLegendEntry(s, 0, "shReq", "LabelReq", 4755712, "Request");
    AddLegendEntry(s, 1, "shAcc", "LabelAcc", 65535, "Accepted");
    AddLegendEntry(s, 2, "shFir", "LabelFir", -1, "Firmed");
    AddLegendEntry(s, 3, "shRel", "LabelRel", 16711680, "Released");

    // The payload stores are text holders only; the planner never sees them.
    for (int i = 1; i <= 4; ++i) {
        SurfaceElement store =
            Element("Box" + std::to_string(i), K::TextStore, {120, 600 + (i - 1) * 840, 1215, 735});
        store.Visible = false;
        s.push_back(store);
    }
    return s;
}

}  // namespace

const std::vector<SurfaceElement>& DesignSurface() {
    static const std::vector<SurfaceElement> surface = BuildSurface();
    return surface;
}

const SurfaceElement* FindSurfaceElement(const std::string& name) {
    for (const SurfaceElement& element : DesignSurface()) {
        if (element.Name == name) {
            return &element;
        }
    }
    return nullptr;
}

}  // namespace tessaro
