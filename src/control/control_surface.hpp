#pragma once

// The components the control hosts, laid out as the design-time surface has them, and the
// heights the toolbar's buttons go back to.

#include <cstdint>
#include <string>

#include <tessaro/components/combo_box.hpp>
#include <tessaro/components/list_box.hpp>
#include <tessaro/components/list_grid.hpp>
#include <tessaro/components/popup_menu.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/components/text_box.hpp>
#include <tessaro/components/text_store.hpp>
#include <tessaro/components/toolbar.hpp>

namespace tessaro {

struct ControlSurface {
    ScheduleChart ctResSched;
    ListGrid vaSpread;
    Toolbar ctToolBar1;
    ListBox lstConflictWorkOrders;
    ListBox lstConflictHidden;
    ComboBox CmbConflictTB;
    PopupMenu mnuSchedPopUp{"mnuSchedPopUp", "Scheduler"};
    PopupMenu mnuDrag{"mnuDrag", "Drag"};
    TextStore Box1, Box2, Box3, Box4;
    TextBox TxtWONo, TxtWOStatus, TxtOrdNo, TxtCustNo, TxtReqDt, TxtPromisedDt, TxtItemNo,
        TxtActStartDate, TxtactEndDate, TxtWOStTime, TxtWOEndTime, TxtWOAct;

    // The chart's and the grid's heights at creation, rounded to 16 bits.
    int16_t SavedChartHeight = 0;
    int16_t SavedGridHeight = 0;

    // Sizes the chart and grid, adds the toolbar's buttons, the grid's columns and the menus'
    // entries, and locks the text boxes.
    void ApplyDesignSurface();
    // Keeps the heights the toolbar's buttons go back to.
    void SaveHeights();
    // Positions 1 to 4 are the toolbar's buttons; any other position does nothing. A height or
    // scale outside 16 bits raises overflow (6) and leaves the property unwritten.
    void ToolButtonClicked(int16_t position);
    // Returns nullptr for a name that is not one of the twelve detail text boxes.
    TextBox* DetailTextBox(const std::string& name);
};

}  // namespace tessaro
