# Debian splits OpenCV into per-module -dev packages; its CMake package file comes
# only with the all-modules meta package. Import just the modules we link.
find_path(OPENCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
foreach(module core imgproc imgcodecs dnn videoio objdetect)
  find_library(OPENCV_${module}_LIBRARY opencv_${module} REQUIRED)
  add_library(opencv::${module} SHARED IMPORTED)
  set_target_properties(opencv::${module} PROPERTIES
    IMPORTED_LOCATION "${OPENCV_${module}_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${OPENCV_INCLUDE_DIR}")
endforeach()
