# Fails when a test would run outside the tests' private home: every test but
# the home's own start and check must point HOME at it.
#   cmake -DCTEST=ctest -DBUILD=DIR -DHOME_DIR=DIR -P every-test-private.cmake
# ctest writes its log even when it only lists, which would overwrite the log
# of the run this test is part of; so it lists from a copy of the test files.
set(listing ${HOME_DIR}/test-listing)
file(REMOVE_RECURSE ${listing})
file(GLOB_RECURSE testfiles RELATIVE ${BUILD} ${BUILD}/CTestTestfile.cmake)
foreach(testfile ${testfiles})
  configure_file(${BUILD}/${testfile} ${listing}/${testfile} COPYONLY)
endforeach()
execute_process(COMMAND ${CTEST} --show-only=json-v1 WORKING_DIRECTORY ${listing}
                OUTPUT_VARIABLE json RESULT_VARIABLE failed)
file(REMOVE_RECURSE ${listing})
if(failed)
  message(FATAL_ERROR "ctest could not list the tests in ${BUILD}")
endif()
string(JSON count LENGTH "${json}" tests)
math(EXPR last "${count} - 1")
set(outside "")
foreach(i RANGE ${last})
  string(JSON name GET "${json}" tests ${i} name)
  string(JSON test GET "${json}" tests ${i})
  string(FIND "${test}" "\"HOME=set:${HOME_DIR}/home\"" at)
  if(at EQUAL -1 AND NOT name MATCHES "^private_home_(start|check)$")
    list(APPEND outside ${name})
  endif()
endforeach()
if(outside)
  message(FATAL_ERROR "these tests run outside the private home: ${outside}")
endif()
message(STATUS "all ${count} tests run in the private home")
