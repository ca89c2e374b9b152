# Runs tessaro-genplant with good and bad command lines; checks exit codes, messages and files.
#   cmake -DGENPLANT=<command> -DWORK_DIR=<scratch folder> -P genplant_command.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# run(<exit code> <text the output must contain> <arguments>...)
function(run expected_code expected_text)
    execute_process(COMMAND "${GENPLANT}" ${ARGN}
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code STREQUAL expected_code)
        message(FATAL_ERROR
            "tessaro-genplant ${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    string(FIND "${out}${err}" "${expected_text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR
            "tessaro-genplant ${ARGN}: the output lacks '${expected_text}'\n${out}${err}")
    endif()
endfunction()

set(out_dir "${WORK_DIR}/plant")

run(0 "usage: tessaro-genplant" --help)
run(0 "--no-calendars" --resources 3 -h)
run(2 "--resources is required")
run(2 "--subactivities is required" --resources 3 --out ${out_dir})
run(2 "--out is required" --resources 3 --subactivities 10)
run(2 "--out needs a value" --resources 3 --subactivities 10 --out)
run(2 "--out needs a folder" --resources 3 --subactivities 10 --out=)
run(2 "unknown argument '--colour'" --resources 3 --subactivities 10 --colour red)
run(2 "unknown argument 'plant'" plant --resources 3)
run(2 "unknown argument '--no-calendars=1'" --no-calendars=1)
run(2 "--resources given twice" --resources 3 --resources 4 --subactivities 1 --out ${out_dir})
run(2 "--resources needs a whole number, not 'x3'" --resources x3)
run(2 "--resources needs a whole number, not '3.5'" --resources 3.5)
run(2 "--subactivities needs a whole number, not ''" --subactivities=)
run(2 "--seed needs a whole number, not '-1'" --seed -1)
run(2 "--days 99999999999 is out of range" --days 99999999999)
run(2 "number of resources must be 1..32767, not 0"
    --resources 0 --subactivities 10 --out ${out_dir})
run(2 "not -5" --resources 2 --subactivities -5 --out ${out_dir})
run(2 "a resource holds at most 32767"
    --resources 1 --subactivities 32768 --out ${out_dir})
run(2 "planning window must be 1..366 days, not 400"
    --resources 2 --subactivities 10 --days 400 --out ${out_dir})
if(EXISTS "${out_dir}")
    message(FATAL_ERROR "a refused command line wrote ${out_dir}")
endif()

# Both spellings of the options write the same plant.
run(0 "wrote 4 resources and 30 sub-activities"
    --resources 4 --subactivities 30 --seed 7 --days 7 --out ${out_dir}/a)
run(0 "wrote 4 resources" --out=${out_dir}/b --days=7 --seed=7 --subactivities=30 --resources=4)
foreach(name header resources calendars workorders)
    file(READ "${out_dir}/a/${name}.xml" first)
    file(READ "${out_dir}/b/${name}.xml" second)
    if(NOT first STREQUAL second)
        message(FATAL_ERROR "${name}.xml differs between two runs with the same options")
    endif()
endforeach()
file(STRINGS "${out_dir}/a/workorders.xml" records REGEX "<subactivity ")
list(LENGTH records count)
if(NOT count EQUAL 30)
    message(FATAL_ERROR "workorders.xml holds ${count} sub-activities, not 30")
endif()

run(0 "without calendars" --resources 4 --subactivities 30 --no-calendars --out ${out_dir}/c)
file(STRINGS "${out_dir}/c/calendars.xml" records REGEX "<calendar ")
if(records)
    message(FATAL_ERROR "--no-calendars still wrote calendar entries")
endif()

# A folder that cannot be made is a failure, not a bad command line.
file(WRITE "${WORK_DIR}/taken" "a file")
run(1 "tessaro-genplant:" --resources 2 --subactivities 2 --out ${WORK_DIR}/taken/plant)
