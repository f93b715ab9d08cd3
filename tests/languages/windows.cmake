# The clock language window and the language export window, driven offscreen
# on a fresh copy of the delivered club database; the upload goes to the
# simulated clock.
if(NOT TARGET durvek_languages_ui OR NOT TARGET durvek_dbtools)
  return()
endif()

set(delivered_db ${PROJECT_SOURCE_DIR}/tests/database/DeliveredDatabase.cpp)

durvek_add_test(NAME tst_languages_export_window
                SOURCES tst_languageexportwindow.cpp ModalBoxes.h ${delivered_db}
                LIBS durvek_languages_ui durvek_dbtools WIDGETS)

if(TARGET clocksim_core)
  durvek_add_test(NAME tst_languages_clock_window
                  SOURCES tst_clocklanguagewindow.cpp ModalBoxes.h RecordingTransport.h ${delivered_db}
                  LIBS durvek_languages_ui durvek_dbtools clocksim_core WIDGETS)
endif()
