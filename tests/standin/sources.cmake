target_sources(test_${name} PRIVATE
  ${CMAKE_SOURCE_DIR}/tools/module_standin/weather_model.cpp
  ${CMAKE_SOURCE_DIR}/tools/module_standin/batch_tools.cpp)
