# The product's names and version, as the project sets them, for the code (ProductInfo.h), the Windows
# resource script and the packages.
foreach(part MINOR PATCH)
  if(PROJECT_VERSION_${part} GREATER 9)
    message(FATAL_ERROR "The vendor version holds one decimal digit per minor and patch number")
  endif()
endforeach()
# Hosts read the version as one integer with a digit per part: 1.2.3 is 1230.
math(EXPR QM07_VENDOR_VERSION
     "${PROJECT_VERSION_MAJOR} * 1000 + ${PROJECT_VERSION_MINOR} * 100 + ${PROJECT_VERSION_PATCH} * 10")

string(LENGTH "${QM07_UNIQUE_ID}" QM07_UNIQUE_ID_LENGTH)
if(NOT QM07_UNIQUE_ID_LENGTH EQUAL 4)
  message(FATAL_ERROR "The unique id is four characters")
endif()
# The id as hosts read it: the four characters' codes, first one highest.
set(QM07_UNIQUE_ID_HEX "0x")
foreach(position RANGE 3)
  string(SUBSTRING "${QM07_UNIQUE_ID}" ${position} 1 character)
  string(HEX "${character}" code)
  string(APPEND QM07_UNIQUE_ID_HEX "${code}")
endforeach()

set(QM07_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/core/ProductInfo.h.in ${QM07_GENERATED_DIR}/ProductInfo.h @ONLY)
add_library(qm07_product_info INTERFACE)
target_include_directories(qm07_product_info INTERFACE ${QM07_GENERATED_DIR})
