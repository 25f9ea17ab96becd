# SPDX-License-Identifier: GPL-3.0-or-later
# The picture generators of mkdata as a library of their own, with their tests. Included from
# tools/mkdata/CMakeLists.txt; the mkdata program links mkdata_pictures.
if(NOT TARGET PkgConfig::CAIRO)
  pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
endif()
if(NOT TARGET PkgConfig::FONTCONFIG)
  pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
endif()

file(GLOB MKDATA_PICTURE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/arena_*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/weapon_*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenery_*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/credits_*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tetris_*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/side_*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encode_picture.cpp)
add_library(mkdata_pictures STATIC ${MKDATA_PICTURE_SOURCES})
target_include_directories(mkdata_pictures PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(mkdata_pictures PUBLIC
  PkgConfig::CAIRO PkgConfig::PNG PkgConfig::JPEG PkgConfig::TIFF kaldo)

if(KALDO_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  # Only the picture tests: the sound tests in the same folder have an executable of their own.
  file(GLOB MKDATA_PICTURE_TESTS CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/tests/arena_*_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/weapon_*_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/scenery_*_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/side_*_test.cpp)
  add_executable(mkdata_pictures_tests ${MKDATA_PICTURE_TESTS})
  target_link_libraries(mkdata_pictures_tests PRIVATE mkdata_pictures PkgConfig::FONTCONFIG
                        GTest::gtest GTest::gtest_main)
  gtest_discover_tests(mkdata_pictures_tests DISCOVERY_MODE PRE_TEST)
endif()
