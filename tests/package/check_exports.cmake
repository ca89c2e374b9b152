# The shared core library exports its public surface only: no symbol of the internal parts, and
# of the control nothing but its public methods (every one of them is declared in the installed
# header, which holds no private method).
execute_process(COMMAND ${NM} -DC --defined-only ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
set(internal_names ControlParts ControlSurface HostEvents EntryCounter LoadingSession Rescheduler
    MoveGesture ChangeJournal UndoHistory WorkOrderLook WorkOrderKeys WorkOrderSelection
    WorkOrderRegistry ConflictSearch DetailPanel RecordTable PayloadRecords)
foreach(name IN LISTS internal_names)
    if(symbols MATCHES "tessaro::${name}[:(<]")
        message(FATAL_ERROR "the library exports the internal ${name}")
    endif()
endforeach()
# Private members of the exported models.
foreach(member "ScheduleChart::At(" "ScheduleChart::NotifyBar(" "ListGrid::At("
               "MenuItem::SetFlag(" "PopupMenu::Find(")
    string(FIND "${symbols}" "tessaro::${member}" found)
    if(NOT found EQUAL -1)
        message(FATAL_ERROR "the library exports the private ${member}")
    endif()
endforeach()
