# quorva_road: the playback controller and its rules (the road of one recording, the
# playback commands, the keys), standard library only. quorva_road_qt: its Qt timers and
# the adapter over the player slots.
add_library(quorva_road STATIC
  ${CMAKE_CURRENT_LIST_DIR}/elapsed_time_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_buttons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_controller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_end_guard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_movie_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_rate_steps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_recording_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_scrub.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_snapshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_tick_stats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_timers.cpp)
target_link_libraries(quorva_road
  PUBLIC quorva_panels_core quorva_container quorva_recordings quorva_appcore
         quorva_player_rules Threads::Threads
  PRIVATE quorva_warnings)

if(QUORVA_GUI)
  add_library(quorva_road_qt STATIC
    ${CMAKE_CURRENT_LIST_DIR}/playback_player_group_adapter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/playback_qt_timers.cpp)
  target_link_libraries(quorva_road_qt
    PUBLIC quorva_road quorva_player Qt6::Core
    PRIVATE quorva_warnings)
endif()
