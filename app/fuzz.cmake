tessaro_fuzz(xml_document ${CMAKE_CURRENT_SOURCE_DIR}/xml/XmlDocument_fuzz.cpp tessaro_app)
tessaro_fuzz(layout ${CMAKE_CURRENT_SOURCE_DIR}/device/DeviceDescriptionLoader_fuzz.cpp tessaro_app)
