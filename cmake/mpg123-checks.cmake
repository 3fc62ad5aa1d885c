# Included into mpg123's own CMake project (CMAKE_PROJECT_INCLUDE): the module
# its check_type_size calls need, which that project does not include itself.
include(CheckTypeSize)
