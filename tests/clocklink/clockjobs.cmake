# The clock update and read jobs, run against the device simulator on a club
# database as delivered.
if(TARGET durvek_database AND TARGET durvek_dbtools)
  set(clockjobs_bench tst_clockjobs_fixture.cpp tst_clockjobs_fixture.h)
  foreach(name update read)
    durvek_add_test(NAME tst_clockjobs_${name} SOURCES tst_clockjobs_${name}.cpp ${clockjobs_bench}
                    LIBS durvek_clocklink clocksim_core durvek_test_support BOTH_ENGINES)
  endforeach()
  durvek_add_test(NAME tst_clockjobs_store SOURCES tst_clockjobs_store.cpp
                  LIBS durvek_clocklink durvek_test_support BOTH_ENGINES)
endif()
