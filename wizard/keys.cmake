# The wizard's key pages: the action table, key assignment and the buy-script generator.
target_sources(brindle_wizard_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/logic/BuyScript.cpp ${CMAKE_CURRENT_LIST_DIR}/logic/BuyScript.h
  ${CMAKE_CURRENT_LIST_DIR}/logic/KeyActions.cpp ${CMAKE_CURRENT_LIST_DIR}/logic/KeyActions.h
  ${CMAKE_CURRENT_LIST_DIR}/logic/KeyAssignment.cpp ${CMAKE_CURRENT_LIST_DIR}/logic/KeyAssignment.h)
if(BRINDLE_GUI)
  target_sources(brindle_wizard_windows PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/windows/BuyControls.cpp ${CMAKE_CURRENT_LIST_DIR}/windows/BuyControls.h
    ${CMAKE_CURRENT_LIST_DIR}/windows/KeyPages.cpp ${CMAKE_CURRENT_LIST_DIR}/windows/KeyPages.h
    ${CMAKE_CURRENT_LIST_DIR}/windows/WizardKeyPages.cpp ${CMAKE_CURRENT_LIST_DIR}/windows/WizardKeyPages.h)
  target_link_libraries(brindle_wizard_windows PUBLIC brindle_wizard_logic brindle_binds_windows)
endif()
