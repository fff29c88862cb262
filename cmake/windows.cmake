# Windows build: the program, the module stand-in and the Windows-side test tools.
# Every program is one file with no runtime DLLs.
if(MINGW)
  add_link_options(-static)
endif()
file(GLOB NIMBREL_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp)
add_library(nimbrel_platform_win32 OBJECT ${NIMBREL_WIN32_SOURCES})
target_include_directories(nimbrel_platform_win32 PUBLIC ${CMAKE_SOURCE_DIR})

file(GLOB NIMBREL_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
add_executable(nimbrel WIN32 $<TARGET_OBJECTS:nimbrel_platform_win32> ${NIMBREL_RESOURCES})
target_link_libraries(nimbrel PRIVATE nimbrel_core comctl32 gdi32 user32 shell32 kernel32)
if(MINGW)
  target_link_options(nimbrel PRIVATE -s)
endif()
set_target_properties(nimbrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Each folder under tools/ with sources is one Windows program.
file(GLOB NIMBREL_TOOL_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tools/*)
foreach(dir ${NIMBREL_TOOL_DIRS})
  if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/e2e)
endif()
