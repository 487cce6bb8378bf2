# Third-party libraries behind one name each, whichever build finds them: Debian's packages natively,
# the cross-built copies (scripts/setup) for Windows.
find_package(Threads REQUIRED)

if(WIN32)
  find_package(jsoncpp CONFIG REQUIRED)
  add_library(vorlix_jsoncpp INTERFACE)
  target_link_libraries(vorlix_jsoncpp INTERFACE jsoncpp_static)
  find_package(CURL CONFIG REQUIRED)
  find_package(GTest CONFIG REQUIRED)
else()
  find_package(jsoncpp CONFIG REQUIRED)
  add_library(vorlix_jsoncpp INTERFACE)
  target_link_libraries(vorlix_jsoncpp INTERFACE jsoncpp_lib)
  find_package(CURL REQUIRED)
  find_package(GTest REQUIRED)
endif()
add_library(vorlix::jsoncpp ALIAS vorlix_jsoncpp)

# zlib (libcurl links it already): the upload's CRC-32.
if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)

add_library(vorlix_gtest_main INTERFACE)
target_link_libraries(vorlix_gtest_main INTERFACE GTest::gtest_main GTest::gmock Threads::Threads)
add_library(vorlix::gtest_main ALIAS vorlix_gtest_main)

if(WIN32)
  # Static runtime: the install tree carries no MinGW DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
