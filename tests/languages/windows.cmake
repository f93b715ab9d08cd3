# The clock language window and the language export window, driven offscreen
# on a fresh copy of the delivered club database; the upload goes to the
# simulated clock.
if(NOT TARGET durvek_languages_ui OR NOT TARGET durvek_dbtools)
  return()
endif()

durvek_add_test(NAME tst_languages_export_window SOURCES tst_languageexportwindow.cpp
                LIBS durvek_languages_ui durvek_test_support WIDGETS BOTH_ENGINES)

if(TARGET clocksim_core)
  durvek_add_test(NAME tst_languages_clock_window
                  SOURCES tst_clocklanguagewindow.cpp RecordingTransport.h
                  LIBS durvek_languages_ui clocksim_core durvek_test_support WIDGETS BOTH_ENGINES)
endif()
