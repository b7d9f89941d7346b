# Tests of the wizard's key pages and buy scripts.
brindle_logic_test(wizard_keys_tests
  DEPENDS brindle_wizard_logic
  SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/support/GoldenBuy.cpp ${CMAKE_CURRENT_LIST_DIR}/support/GoldenBuy.h
  ${CMAKE_CURRENT_LIST_DIR}/tst_buy_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_key_assignment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_buyscript_cli.cpp)
target_include_directories(wizard_keys_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
if(BRINDLE_GUI)
  brindle_window_test(${CMAKE_CURRENT_LIST_DIR}/tst_sound_player.cpp DEPENDS brindle_ui)
endif()
if(BRINDLE_GUI)
  foreach(t tst_wizard_keys tst_wizard_keys_buy tst_wizard_keys_window)
    brindle_window_test(${CMAKE_CURRENT_LIST_DIR}/${t}.cpp DEPENDS brindle_wizard_windows)
    target_include_directories(${t} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  endforeach()
endif()
