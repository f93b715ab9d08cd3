# The print manager: its reports on paper (PDF) and its window driven
# offscreen against the delivered database and the in-process simulator.
set(pdf_words PdfWords.cpp PdfWords.h)
durvek_add_test(NAME tst_racereports SOURCES tst_racereports.cpp ${pdf_words} LIBS durvek_results)

if(TARGET durvek_results_ui AND TARGET clocksim_core AND TARGET durvek_dbtools)
  durvek_add_test(NAME tst_printmanager WIDGETS
                  SOURCES tst_printmanager.cpp ${pdf_words}
                          ${PROJECT_SOURCE_DIR}/tests/database/DeliveredDatabase.cpp
                          ${PROJECT_SOURCE_DIR}/tests/database/DeliveredDatabase.h
                  LIBS durvek_results_ui clocksim_core durvek_dbtools)
endif()
