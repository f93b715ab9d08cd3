# Chip codes from the club antenna into the pigeon grid.
if(TARGET durvek_linking)
  set(antenna_fixtures tst_antenna_fixtures.h)
  durvek_add_test(NAME tst_antenna_reading SOURCES tst_antenna_reading.cpp FakeClock.cpp FakeClock.h ${antenna_fixtures}
                  LIBS durvek_linking durvek_clocklink durvek_test_support)
  durvek_add_test(NAME tst_antenna_jobs SOURCES tst_antenna_jobs.cpp ${antenna_fixtures}
                  LIBS durvek_linking durvek_clocklink durvek_test_support BOTH_ENGINES)
  durvek_add_test(NAME tst_antenna_sim SOURCES tst_antenna_sim.cpp ${antenna_fixtures}
                  LIBS clocksim_core durvek_linking durvek_clocklink durvek_test_support)
endif()
