# The distribution folder <build>/dist: the programs beside their language
# files, the sample configuration and the licence texts, laid out as they ship.
#
# Included from a Windows build, this file defines the target `dist`, which
# runs the same file as a script:
#   cmake -DDIST_DIR=... -DSOURCE_DIR=... -DSETUP_EXE=... [-DUNINSTALL_EXE=...]
#         [-DMAKER_DIR=... -DMAKER_FOLDER=W32|W64] [-DUSB_STANDIN_DIR=...] -P dist.cmake

if(CMAKE_SCRIPT_MODE_FILE)
  file(REMOVE_RECURSE "${DIST_DIR}")
  file(MAKE_DIRECTORY "${DIST_DIR}")
  file(COPY "${SETUP_EXE}" DESTINATION "${DIST_DIR}")
  if(UNINSTALL_EXE)
    file(COPY "${UNINSTALL_EXE}" DESTINATION "${DIST_DIR}")
  endif()
  file(COPY "${SOURCE_DIR}/resources/language" DESTINATION "${DIST_DIR}")
  file(COPY "${SOURCE_DIR}/sample/DRVCONFIG" DESTINATION "${DIST_DIR}")
  file(COPY "${SOURCE_DIR}/sample/License" DESTINATION "${DIST_DIR}")
  if(MAKER_DIR)
    file(COPY "${MAKER_DIR}/" DESTINATION "${DIST_DIR}/${MAKER_FOLDER}")
  endif()
  if(USB_STANDIN_DIR)
    file(COPY "${USB_STANDIN_DIR}/" DESTINATION "${DIST_DIR}")
  endif()
  return()
endif()

# uninstall.exe joins the folder as soon as the build has that target.
set(_dist_uninstall "$<$<TARGET_EXISTS:uninstall>:$<TARGET_FILE:uninstall>>")
# The maker's sample files (maker/) go into W64 or W32 by this build's word size.
set(_dist_maker_dir "$<$<TARGET_EXISTS:maker>:$<TARGET_PROPERTY:maker,MAKER_FILES_DIR>>")
set(_dist_maker_folder "$<$<TARGET_EXISTS:maker>:$<TARGET_PROPERTY:maker,MAKER_DIST_FOLDER>>")
# The stand-ins of the maker's USB libraries (maker/usb/) go beside setup.exe.
set(_dist_usb_dir "$<$<TARGET_EXISTS:maker_usb>:$<TARGET_PROPERTY:maker_usb,USB_STANDIN_DIR>>")
add_custom_target(dist
  COMMAND "${CMAKE_COMMAND}"
          "-DDIST_DIR=${CMAKE_BINARY_DIR}/dist"
          "-DSOURCE_DIR=${CMAKE_SOURCE_DIR}"
          "-DSETUP_EXE=$<TARGET_FILE:setup>"
          "-DUNINSTALL_EXE=${_dist_uninstall}"
          "-DMAKER_DIR=${_dist_maker_dir}"
          "-DMAKER_FOLDER=${_dist_maker_folder}"
          "-DUSB_STANDIN_DIR=${_dist_usb_dir}"
          -P "${CMAKE_CURRENT_LIST_FILE}"
  DEPENDS "${_dist_uninstall}"
  COMMENT "Assembling ${CMAKE_BINARY_DIR}/dist"
  VERBATIM)
add_dependencies(dist setup)
if(TARGET maker)
  add_dependencies(dist maker)
endif()
if(TARGET maker_usb)
  add_dependencies(dist maker_usb)
endif()
