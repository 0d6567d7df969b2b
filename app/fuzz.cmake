tessaro_fuzz(xml_document ${CMAKE_CURRENT_SOURCE_DIR}/xml/XmlDocument_fuzz.cpp tessaro_app)
tessaro_fuzz(layout ${CMAKE_CURRENT_SOURCE_DIR}/device/DeviceDescriptionLoader_fuzz.cpp tessaro_app)
tessaro_fuzz(profile_import ${CMAKE_CURRENT_SOURCE_DIR}/exchange/ProfileImport_fuzz.cpp tessaro_app)
tessaro_fuzz(macro_import ${CMAKE_CURRENT_SOURCE_DIR}/exchange/MacroImport_fuzz.cpp tessaro_app)
