# The application icon, drawn once by app/icon/draw_icon.py into the forms each system takes:
# PNG files for the Linux window and the desktops' icon themes, an SVG for scalable themes,
# and the .ico of the Windows programs' resources. Defines the target tts_icon and
#   TTS_ICON_DIR    where the files are written
#   TTS_ICON_SIZES  the sizes of the PNG files, transTalvorSice-<size>.png
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TTS_ICON_DIR ${PROJECT_BINARY_DIR}/icon)
set(TTS_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_icon_files ${TTS_ICON_DIR}/transTalvorSice.ico ${TTS_ICON_DIR}/transTalvorSice.svg)
foreach(_size ${TTS_ICON_SIZES})
  list(APPEND _icon_files ${TTS_ICON_DIR}/transTalvorSice-${_size}.png)
endforeach()
set(_draw_icon ${PROJECT_SOURCE_DIR}/app/icon/draw_icon.py)
add_custom_command(OUTPUT ${_icon_files}
                   COMMAND Python3::Interpreter ${_draw_icon} ${TTS_ICON_DIR} ${TTS_ICON_SIZES}
                   DEPENDS ${_draw_icon}
                   COMMENT "Drawing the application icon")
add_custom_target(tts_icon ALL DEPENDS ${_icon_files})
