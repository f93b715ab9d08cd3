# The print manager: its reports on paper (PDF) and its window driven
# offscreen against the delivered database and the in-process simulator.
durvek_add_test(NAME tst_racereports SOURCES tst_racereports.cpp LIBS durvek_results durvek_test_support)

if(TARGET durvek_results_ui AND TARGET clocksim_core AND TARGET durvek_dbtools)
  durvek_add_test(NAME tst_printmanager WIDGETS
                  SOURCES tst_printmanager.cpp
                  LIBS durvek_results_ui clocksim_core durvek_test_support BOTH_ENGINES)
endif()
