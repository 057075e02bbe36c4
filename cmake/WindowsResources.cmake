# The resources of a Windows program: the application icon and the version information.
#   tts_windows_resources(TARGET "file description")
# The description is Spanish; a letter beyond ASCII goes as its Windows-1252 octal escape
# ("\\363" for an o with acute accent), as resource scripts take it.
# Needs tts_icon (ApplicationIcon.cmake) and TTS_COPYRIGHT.
enable_language(RC)

function(tts_windows_resources target description)
  # Four numbers, the missing ones 0: 1.0 gives 1,0,0,0.
  string(REPLACE "." ";" _parts "${PROJECT_VERSION}.0.0.0")
  list(SUBLIST _parts 0 4 _parts)
  list(JOIN _parts "," TTS_RC_VERSION)
  set(TTS_RC_NAME ${target})
  set(TTS_RC_DESCRIPTION "${description}")
  set(TTS_RC_COPYRIGHT "Copyright \\251 ${TTS_COPYRIGHT}")
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/app/win32/resources.rc.in ${_rc} @ONLY)
  target_sources(${target} PRIVATE ${_rc})
  # windres reads the icon itself; the build must know the resources depend on it.
  set_source_files_properties(${_rc} PROPERTIES OBJECT_DEPENDS ${TTS_ICON_DIR}/transTalvorSice.ico)
  add_dependencies(${target} tts_icon)
endfunction()
