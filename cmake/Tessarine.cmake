# Helpers shared by every folder's CMakeLists.txt.

# A deliverable: a static, console-less Windows program placed in dist/.
function(tessarine_deliverable target output_name suffix)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output_name}
    SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${TESSARINE_DIST_DIR})
  foreach(config Debug Release RelWithDebInfo MinSizeRel)
    string(TOUPPER ${config} upper)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY_${upper} ${TESSARINE_DIST_DIR})
  endforeach()
  tessarine_static_runtime(${target})
endfunction()

# The same bytes from the same sources, wherever and whenever they are built:
# no link time stamp in a program's header, no build folder in its contents.
macro(tessarine_reproducible_build)
  if(MINGW)
    add_link_options(-Wl,--no-insert-timestamp)
    add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${CMAKE_BINARY_DIR}=build")
  elseif(MSVC)
    add_compile_options(/Brepro)
    add_link_options(/Brepro)
  endif()
endmacro()

# No MinGW runtime DLLs at run time.
function(tessarine_static_runtime target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  elseif(MSVC)
    set_target_properties(${target} PROPERTIES MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  endif()
endfunction()

# A native unit test of platform-free code (Linux build only).
function(tessarine_native_test name)
  if(TESSARINE_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS native)
endfunction()

# The Windows path of a folder of this build, as a Windows program sees it
# (Wine maps the Unix root to drive Z:).
function(tessarine_windows_path out path)
  file(TO_NATIVE_PATH "${path}" native)
  if(CMAKE_HOST_WIN32)
    set(${out} "${native}" PARENT_SCOPE)
  else()
    string(REPLACE "/" "\\" native "${path}")
    set(${out} "Z:${native}" PARENT_SCOPE)
  endif()
endfunction()

# GoogleTest built from Debian's sources (or a checkout named by GTEST_SOURCE_DIR).
macro(tessarine_add_windows_gtest)
  set(GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources for the Windows test programs")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()

# A Windows test program that drives the real programs in dist/. CTest runs it
# (through Wine when cross-compiling) one at a time, as the programs find one
# another by window title.
function(tessarine_windows_test name)
  if(NOT TESSARINE_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tessarine_test_support ${ARG_LIBS} gtest gtest_main)
  tessarine_static_runtime(${name})
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  tessarine_windows_path(dist_win "${TESSARINE_DIST_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(environment "TESSARINE_DIST=${dist_win}")
  if(NOT CMAKE_HOST_WIN32)
    # Wine's screen device context does not show OpenGL: capture the X screen.
    set(shot "${CMAKE_BINARY_DIR}/screenshots/${name}.bmp")
    file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/screenshots")
    tessarine_windows_path(shot_win "${shot}")
    list(APPEND environment
      "TESSARINE_SCREENSHOT_FILE=${shot_win}"
      "TESSARINE_SCREENSHOT_COMMAND=/bin/sh -c \"import -window root bmp3:${shot}.tmp && mv ${shot}.tmp ${shot}\"")
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS wine
    RUN_SERIAL TRUE
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "${environment}")
endfunction()

# Embeds files into a target as byte arrays. For each pair SYMBOL FILE the
# target gets `extern const unsigned char SYMBOL[]; extern const std::size_t
# SYMBOL_size;` (declare them where they are used).
function(tessarine_embed target)
  set(args ${ARGN})
  list(LENGTH args count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET args ${i} symbol)
    list(GET args ${j} input)
    get_filename_component(input "${input}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
    add_custom_command(OUTPUT "${output}"
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
              -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
      DEPENDS "${input}" ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
      COMMENT "Embedding ${input}")
    target_sources(${target} PRIVATE "${output}")
  endforeach()
endfunction()
