# The wizard's key pages: the action table, key assignment and the buy-script generator.
brindle_logic_library(brindle_wizard_keys_logic DEPENDS brindle_core brindle_binds_logic SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/logic/BuyScript.cpp ${CMAKE_CURRENT_LIST_DIR}/logic/BuyScript.h
  ${CMAKE_CURRENT_LIST_DIR}/logic/KeyActions.cpp ${CMAKE_CURRENT_LIST_DIR}/logic/KeyActions.h)
