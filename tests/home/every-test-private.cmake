# Fails when a test would run outside the tests' private home: every test but
# the home's own start and check must point HOME at it.
#   cmake -DCTEST=ctest -DBUILD=DIR -DHOME_DIR=DIR -P every-test-private.cmake
execute_process(COMMAND ${CTEST} --show-only=json-v1 WORKING_DIRECTORY ${BUILD}
                OUTPUT_VARIABLE json RESULT_VARIABLE failed)
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
