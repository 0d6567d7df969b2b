# Fuzz targets of the program, one line each (see tessaro_fuzz).
tessaro_fuzz(layout ${CMAKE_CURRENT_SOURCE_DIR}/device/DeviceDescriptionLoader_fuzz.cpp tessaro_app)
