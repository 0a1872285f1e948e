# Embeds the resource scripts into platform_ui: every resources/*.rc with the
# headers it includes and the icon, bitmap and cursor files it names. A new
# script joins by itself (the glob is checked at every build); EmbedScan.cmake
# finds what each script names and writes a depfile, so a change to any of
# those files embeds them again.
file(GLOB korvel_rc_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.rc)
set(korvel_rc_dir ${PROJECT_BINARY_DIR}/resources)
set(korvel_rc_out ${korvel_rc_dir}/qrc_korvel_resources.cpp)
add_custom_command(
  OUTPUT ${korvel_rc_out}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/resources -DQRC=${korvel_rc_dir}/korvel_resources.qrc
          -DDEPFILE=${korvel_rc_dir}/korvel_resources.d -DOUTPUT=${korvel_rc_out}
          -P ${PROJECT_SOURCE_DIR}/resources/EmbedScan.cmake
  COMMAND Qt6::rcc --name korvel_resources --output ${korvel_rc_out} ${korvel_rc_dir}/korvel_resources.qrc
  DEPENDS ${korvel_rc_scripts} ${PROJECT_SOURCE_DIR}/resources/EmbedScan.cmake
  DEPFILE ${korvel_rc_dir}/korvel_resources.d
  COMMENT "Embedding the resource scripts"
  VERBATIM)
set_source_files_properties(${korvel_rc_out} PROPERTIES SKIP_AUTOMOC ON SKIP_AUTOUIC ON)
target_sources(platform_ui PRIVATE ${korvel_rc_out})
