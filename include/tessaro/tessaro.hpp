#pragma once

// The whole core of the schedule-chart control: the control, its hosted component models and the
// runtime types of its public surface.

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/bars/bar_record.hpp>
#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/bars/work_order_span.hpp>
#include <tessaro/components/combo_box.hpp>
#include <tessaro/components/list_box.hpp>
#include <tessaro/components/list_grid.hpp>
#include <tessaro/components/popup_menu.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/components/text_box.hpp>
#include <tessaro/components/text_store.hpp>
#include <tessaro/components/toolbar.hpp>
#include <tessaro/control/design_surface.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/plan/plan_activity.hpp>
#include <tessaro/rescheduling/vadel_class2.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/calendar.hpp>
#include <tessaro/runtime/chart_time.hpp>
