# The club data transfers: the line codec on its own, the transfers against
# the simulated clock on a pseudo-terminal.
durvek_add_test(NAME tst_transferlines SOURCES tst_transferlines.cpp LIBS durvek_clocklink)

if(UNIX AND TARGET durvek_database AND TARGET durvek_dbtools)
  set(transfer_bench tst_transferfixture.h tst_transferfixture.cpp)
  # The transfer's SQL sits in the clock link and runs on the database library.
  durvek_add_test(NAME tst_transfersend SOURCES tst_transfersend.cpp ${transfer_bench}
                  LIBS clocksim_core durvek_clocklink durvek_database durvek_test_support BOTH_ENGINES)
  # The receive also talks to a clock that sends what no simulated clock would.
  durvek_add_test(NAME tst_transferreceive SOURCES tst_transferreceive.cpp ${transfer_bench} ${link_pty}
                  LIBS clocksim_core durvek_clocklink durvek_database durvek_test_support BOTH_ENGINES)
endif()
