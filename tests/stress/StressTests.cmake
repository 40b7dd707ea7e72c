#==============================================================================
# Concurrency stress: the audio, host automation, state and message threads
# hammer one processor at once for a bounded time, and likewise an LV2
# instance with its host's and its UI's threads. Built in every tree (a
# short run belongs to the normal suite); tools/stress.sh builds it alone
# under ThreadSanitizer and runs it for longer.

add_executable(korvane_stress_tests
    UnitTestMain.cpp
    stress/ConcurrencyStressTest.cpp
    stress/Lv2InstanceStressTest.cpp
    ${CMAKE_SOURCE_DIR}/src/formats/lv2/Lv2Instance.cpp)
target_link_libraries(korvane_stress_tests PRIVATE korvane_format_support GTest::gtest)
target_include_directories(korvane_stress_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}
    $<TARGET_PROPERTY:Korvane,INCLUDE_DIRECTORIES>)
target_compile_definitions(korvane_stress_tests PRIVATE $<TARGET_PROPERTY:Korvane,COMPILE_DEFINITIONS>)
gtest_discover_tests(korvane_stress_tests DISCOVERY_MODE PRE_TEST)
